// The download and install page (123): shows the installation job at work
// - its progress, status line and the feature carousel - and asks what the
// job asks (the error dialog). The job runs the flow on its own thread and
// reaches the window only through posted messages (view updates, the
// carousel, closing) and one sent message (moving on); the page's own Cancel
// button pauses the transfer while the exit dialog asks.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "controls/AnimatedWnd.h"
#include "controls/BannerBoard.h"
#include "controls/PngButton.h"
#include "controls/SimpleProgressControl.h"
#include "framework/TimerService.h"
#include "installation/InstallationDisplay.h"
#include "installation/InstallationJob_win.h"
#include "installation/Session.h"
#include "wizard/BaseDialog.h"

class PageDownloadInstall : public BaseDialog,
                            private Framework::TimerEventHandler,
                            private Installation::InstallationDisplay {
public:
    explicit PageDownloadInstall(Installation::Session& session);
    ~PageDownloadInstall() override;

    void OnEnterPage(int direction) override;
    void ApplyLanguage(LanguageId language) override;
    // Around the exit dialog of the main Cancel button.
    void PauseDownload();
    void ResumeDownload();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Posted by the job's thread; handled on the user-interface thread.
    static constexpr UINT kViewChanged = WM_APP + 0x0123;
    static constexpr UINT kEnableCancel = WM_APP + 0x0124;
    static constexpr UINT kShowError = WM_APP + 0x0125;

    void Layout();
    void ApplyView();
    void PaintStatus(HDC dc);
    void OnCancelClicked();
    // The carousel timer: one step every eight seconds while the package downloads.
    void OnTimer(Framework::Timer& timer) override;

    // InstallationDisplay: the status line, the bar, the buttons, the dialogs.
    void ProgressChanged() override;
    void EnableCancel(bool enabled) override;
    void SetDownloading(bool downloading) override;
    Installation::ErrorChoice ShowError(const std::u16string& text, Installation::ErrorButtons buttons) override;
    void CloseWizard() override;
    void MoveToNextPage() override;

    SimpleProgressControl progress_;
    BannerBoard banner_;
    AnimatedWnd carousel_;
    PngButton cancel_;

    // Set when the page goes away: the job stops and a question still open
    // is answered Cancel.
    std::atomic<bool> closing_{false};
    void StopWork();

    // The error dialog asked for by the job, shown on the wizard's thread:
    // windows, their images and their statistics report stay on one thread.
    struct ErrorRequest {
        std::u16string text;
        std::uint32_t buttons = 0;
        bool answered = false;
        bool retry = false;
    };
    void AnswerErrorRequest();
    std::mutex errorLock_;
    std::condition_variable errorAnswered_;
    std::shared_ptr<ErrorRequest> pendingError_;

    std::unique_ptr<Framework::Timer> carouselTimer_;  // made with the window, on its thread
    // Last: it goes first, and its thread with it, while the window parts it
    // talks to are still there.
    std::unique_ptr<Installation::InstallationJob> job_;
};
