// The download and install page (123): runs DownloadInstallWork on a worker
// thread and shows its progress, status line and the feature carousel. The
// page is all four parts the work talks to: its view, the package source (the
// configured address and the download engine), the target machine (the
// package checks, the installed product, the Windows Installer) and the
// reports. The worker reaches the window only through posted messages (view
// updates, the carousel, closing) and one sent message (moving on); the
// page's own Cancel button pauses the transfer while the exit dialog asks.
#pragma once

#include <atomic>
#include <memory>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "controls/AnimatedWnd.h"
#include "controls/BannerBoard.h"
#include "controls/PngButton.h"
#include "controls/SimpleProgressControl.h"
#include "framework/TimerService.h"
#include "download/DownloadMeasurements.h"
#include "download/PackageDownloader.h"
#include "wizard/BaseDialog.h"
#include "wizard/DownloadInstallWork.h"
#include "wizard/DownloadProgressModel.h"

class InstallerConfig;

class PageDownloadInstall : public BaseDialog,
                            private Framework::TimerEventHandler,
                            private Wizard::DownloadInstallView,
                            private Wizard::PackageSource,
                            private Wizard::TargetMachine,
                            private Wizard::InstallationReports {
public:
    // The configured copy the page works with; it outlives the page.
    explicit PageDownloadInstall(InstallerConfig& config);
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
    InstallerConfig& config_;
    // Posted by the worker; handled on the user-interface thread.
    static constexpr UINT kViewChanged = WM_APP + 0x0123;
    static constexpr UINT kEnableCancel = WM_APP + 0x0124;
    static constexpr UINT kShowError = WM_APP + 0x0125;

    void Layout();
    void ApplyView();
    void PaintStatus(HDC dc);
    void OnCancelClicked();
    void PostViewChanged();
    // The carousel timer: one step every eight seconds while the package downloads.
    void OnTimer(Framework::Timer& timer) override;

    // DownloadInstallView: the status line, the bar, the buttons, the dialogs.
    void ShowStatus(std::int32_t textItem) override;
    void ResetProgress() override;
    void SetSweeping(bool sweeping) override;
    void EnableCancel(bool enabled) override;
    void SetDownloading(bool downloading) override;
    Wizard::ErrorChoice ShowError(const std::u16string& text, Wizard::ErrorButtons buttons) override;
    void CloseWizard() override;
    void MoveToNextPage() override;

    // PackageSource: the configured address and the download engine.
    std::u16string DownloadLink() override;
    void ResetDownloadLink() override;
    std::u16string DownloadFolder() override;
    std::u16string ExpectedPackageDigest() override;
    void SetUrl(const std::u16string& url) override;
    std::u16string ResolveTargetPath(const std::u16string& folder) override;
    std::u16string Download() override;
    void TakeDownloadMeasurements() override;

    // TargetMachine: the package file, the installed product, the Windows Installer.
    std::unique_ptr<Common::HeldFile> HoldPackage(const std::u16string& path) override;
    bool IsInstallerDatabase(const std::u16string& path) override;
    bool IsSignedByPublisher(const std::u16string& path) override;
    std::optional<VersionRecord> PackageVersion(const std::u16string& path) override;
    VersionComparison CompareInstalledVersion() override;
    VersionRecord InstalledVersion() override;
    std::u16string UninstallCommand() override;
    void RunAndWait(const std::u16string& commandLine) override;
    std::u16string InstallCommandLine() override;
    void Install(const std::u16string& path, const std::u16string& commandLine) override;
    void SaveSettings() override;

    // InstallationReports: the statistics record.
    void RecordOutcome(Wizard::WorkPhase phase, int reason, const std::string& errorText) override;
    void ReportEnd(const std::u16string& path) override;

    SimpleProgressControl progress_;
    BannerBoard banner_;
    AnimatedWnd carousel_;
    PngButton cancel_;

    std::mutex viewLock_;  // the model is written by the worker, read by painting
    Wizard::DownloadProgressModel model_;

    PackageDownloader downloader_;
    std::uint32_t downloadStartTick_ = 0;
    Download::DownloadMeasurements measurements_;

    // Set when the page goes away: the work stops at its next network step.
    std::atomic<bool> closing_{false};
    void StopWork();
    void StopIfClosing() const;

    // The error dialog asked for by the worker, shown on the wizard's thread:
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
    std::thread worker_;
};
