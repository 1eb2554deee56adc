// The exit dialog: asks whether the user really wants to leave the
// installer. The question is part of the picture of the current language.
// Yes ends with 1 after reporting the cancelled installation (with the
// user's contact details); No, the close box and Escape end with 2.
#pragma once

#include <functional>

#include "wizard/SkinnedModalDialog.h"

class AsLanguage_Manager;

namespace ModalDialog {

// The exit picture of a language (English for any other id).
int ExitPicture(LanguageId language);

class Exit : public SkinnedModalDialog {
public:
    static constexpr int kYes = 1;
    static constexpr int kNo = 2;
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 280;

    // Shown in the current language of `languages`. `reportExit` is made when
    // the user confirms (the wizard's: the statistics' cancel reason,
    // SaveUserInstallation and CancelInstallation).
    Exit(const AsLanguage_Manager& languages, std::function<void()> reportExit);

    int Picture() const { return picture_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override { EndDialog(kNo); }

private:
    PngButton yes_;
    PngButton no_;
    PngButton closeBox_;
    int picture_ = 0;
    const AsLanguage_Manager& languages_;
    std::function<void()> reportExit_;
};

}  // namespace ModalDialog
