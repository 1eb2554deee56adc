// The error dialog: a failure text on the error picture with the buttons the
// caller asks for. Giving up (Cancel, Escape, Close, the close box) reports
// the cancelled installation; Retry reports nothing. Runs modally on the
// thread that hit the failure (the download worker).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/GdiHandles.h"
#include "wizard/SkinnedModalDialog.h"

class AsLanguage_Manager;
#include "SkinImageIds.h"

namespace ModalDialog {

class Error : public SkinnedModalDialog {
public:
    // Button-set flags.
    static constexpr std::uint32_t kCancel = 1;
    static constexpr std::uint32_t kRetry = 2;
    static constexpr std::uint32_t kClose = 4;
    // DoModal results.
    static constexpr int kClosedByBox = 0;
    static constexpr int kCancelled = 1;
    static constexpr int kRetried = 2;
    static constexpr int kClosed = 4;

    static constexpr int kBackgroundImage = IDPNG_ERROR_BACKGROUND;

    // Button texts in the current language of `languages`. `reportCancel` is
    // made once for each answer that gives up (the wizard's: the statistics'
    // CancelInstallation).
    Error(const AsLanguage_Manager& languages, std::u16string message, std::uint32_t buttons,
          std::function<void()> reportCancel);

    const std::u16string& Message() const { return message_; }
    // The installation log's file, shown as a line under the message so that
    // the user can send it; none when empty. Before the dialog is shown.
    void SetLogPath(std::u16string path) { logPath_ = std::move(path); }
    const std::u16string& LogPath() const { return logPath_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override { GiveUp(kCancelled); }
    void DrawOverBackground(HDC dc) override;

private:
    void GiveUp(int result);

    PngButton closeBox_;
    PngButton cancel_;
    PngButton retry_;
    PngButton close_;
    std::uint32_t buttons_;
    std::u16string message_;
    std::u16string logPath_;
    Framework::UniqueFont messageFont_;
    Framework::UniqueFont logPathFont_;
    const AsLanguage_Manager& languages_;
    std::function<void()> reportCancel_;
};

}  // namespace ModalDialog
