#include "wizard/ExitDialog.h"

#include "common/WideText.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "SkinImageIds.h"

namespace ModalDialog {
namespace {
constexpr int kCaptionOffsetY = 3;
}  // namespace

int ExitPicture(LanguageId language) {
    switch (language) {
        case Language::French: return IDPNG_EXIT_FR;
        case Language::German: return IDPNG_EXIT_DE;
        case Language::Spanish: return IDPNG_EXIT_ES;
        case Language::Italian: return IDPNG_EXIT_IT;
        case Language::Japanese: return IDPNG_EXIT_JA;
        default: return IDPNG_EXIT_EN;
    }
}

Exit::Exit(const AsLanguage_Manager& languages, std::function<void()> reportExit)
    : SkinnedModalDialog(IDD_EXIT_DIALOG), languages_(languages), reportExit_(std::move(reportExit)) {}

BOOL Exit::OnInitDialog() {
    picture_ = ExitPicture(languages_.Current_Language());
    background_.LoadFromResource(picture_);
    SkinButton(closeBox_, IDC_EXIT_CLOSE_BOX, kCloseBoxNormal, kCloseBoxHover, kCloseBoxPressed, picture_,
               kCaptionOffsetY);
    SkinButton(yes_, IDC_EXIT_YES, kButtonNormal, kButtonHover, kButtonPressed, picture_, kCaptionOffsetY);
    SkinButton(no_, IDC_EXIT_NO, kButtonNormal, kButtonHover, kButtonPressed, picture_, kCaptionOffsetY);

    const AsLanguage_Manager& languages = languages_;
    SetWindowTextW(yes_.Handle(), Common::AsWide(languages.Get_Text(IDC_EXIT_YES)));
    SetWindowTextW(no_.Handle(), Common::AsWide(languages.Get_Text(IDC_EXIT_NO)));

    PlaceButton(yes_, 125, 220);
    PlaceButton(no_, 250, 220);
    SetWindowPos(closeBox_.Handle(), nullptr, 406, 8, 23, 23, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Handle(), nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool Exit::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_EXIT_YES:
                reportExit_();
                EndDialog(kYes);
                return true;
            case IDC_EXIT_NO:
            case IDC_EXIT_CLOSE_BOX: EndDialog(kNo); return true;
            default: break;
        }
    }
    return SkinnedModalDialog::OnCommand(id, code, control);
}

}  // namespace ModalDialog
