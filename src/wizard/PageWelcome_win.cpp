#include "wizard/PageWelcome.h"

#include "installation/ChecksPreparation.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"
#include "SkinImageIds.h"

namespace {
constexpr RECT kPreviewArea{430, 13, 685, 89};
constexpr int kSecondImageX = 567, kSecondImageY = 89;
}  // namespace

const std::array<PageWelcome::LanguageButton, 6> PageWelcome::kLanguageButtons{{
    {IDC_LANGUAGE_ENGLISH, Language::English, IDPNG_LANGUAGE_BUTTON_EN, IDPNG_LANGUAGE_BUTTON_EN_HOVER, IDPNG_LANGUAGE_CAPTION_EN, 141, 138},
    {IDC_LANGUAGE_GERMAN, Language::German, IDPNG_LANGUAGE_BUTTON_DE, IDPNG_LANGUAGE_BUTTON_DE_HOVER, IDPNG_LANGUAGE_CAPTION_DE, 141, 198},
    {IDC_LANGUAGE_SPANISH, Language::Spanish, IDPNG_LANGUAGE_BUTTON_ES, IDPNG_LANGUAGE_BUTTON_ES_HOVER, IDPNG_LANGUAGE_CAPTION_ES, 141, 258},
    {IDC_LANGUAGE_FRENCH, Language::French, IDPNG_LANGUAGE_BUTTON_FR, IDPNG_LANGUAGE_BUTTON_FR_HOVER, IDPNG_LANGUAGE_CAPTION_FR, 141, 318},
    {IDC_LANGUAGE_ITALIAN, Language::Italian, IDPNG_LANGUAGE_BUTTON_IT, IDPNG_LANGUAGE_BUTTON_IT_HOVER, IDPNG_LANGUAGE_CAPTION_IT, 141, 378},
    {IDC_LANGUAGE_JAPANESE, Language::Japanese, IDPNG_LANGUAGE_BUTTON_JA, IDPNG_LANGUAGE_BUTTON_JA_HOVER, IDPNG_LANGUAGE_CAPTION_JA, 141, 438},
}};

PageWelcome::PageWelcome(Installation::Session& session) : BaseDialog(IDD_PAGE_WELCOME, session), config_(session.config) {
    pageImage_.LoadFromResource(IDPNG_WIZARD_BACKGROUND);
    bottomStrip_.Release();
    secondImage_.LoadFromResource(kSecondImage);  // absent from the skin: then nothing is drawn
}

BOOL PageWelcome::OnInitDialog() {
    BaseDialog::OnInitDialog();
    HWND mainWindow = GetParent(Handle());
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const LanguageButton& entry = kLanguageButtons[i];
        buttons_[i].SubclassDlgItem(entry.controlId, Handle());
        // The hover picture also shows while pressed.
        buttons_[i].SetImages(entry.normalImage, entry.hoverImage, entry.hoverImage, mainWindow);
        previews_[i].LoadFromResource(entry.previewImage);
    }
    PlaceButtons();
    return TRUE;
}

void PageWelcome::PlaceButtons() {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        SetWindowPos(buttons_[i].Handle(), nullptr, kLanguageButtons[i].x, kLanguageButtons[i].y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PageWelcome::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return OnPaint();
        case WM_SHOWWINDOW:
            if (wParam) Wizard::Statistics::RecordLastStep(session_.statistics, kLastStep);
            return BaseDialog::WindowProc(message, wParam, lParam);
        case WM_WINDOWPOSCHANGED:
            PlaceButtons();
            return BaseDialog::WindowProc(message, wParam, lParam);
        default: return BaseDialog::WindowProc(message, wParam, lParam);
    }
}

bool PageWelcome::OnCommand(WORD id, WORD code, HWND control) {
    for (std::size_t i = 0; i < kLanguageButtons.size(); ++i) {
        if (kLanguageButtons[i].controlId != id) continue;
        if (code == PngButton::kHoverNotification) OnHover(i);
        if (code == BN_CLICKED) OnLanguageChosen(i);
        return true;
    }
    return BaseDialog::OnCommand(id, code, control);
}

LRESULT PageWelcome::OnPaint() {
    Framework::PaintDC paint(Handle());
    Framework::UniqueGraphics graphics = Framework::GraphicsFor(paint.Get());
    if (preview_) preview_->Draw(graphics.Get(), kPreviewArea.left, kPreviewArea.top);
    secondImage_.Draw(graphics.Get(), kSecondImageX, kSecondImageY);
    return 0;
}

void PageWelcome::OnHover(std::size_t button) {
    preview_ = &previews_[button];
    InvalidateRect(Handle(), &kPreviewArea, TRUE);
}

void PageWelcome::OnLanguageChosen(std::size_t button) {
    Languages().Change_Language(kLanguageButtons[button].language);
    SendMessageW(GetParent(Handle()), WM_WIZARD_SHOW_PAGE, Wizard::kPageLicense, 0);
    // After the licence page shows; the report itself is made on the
    // statistics' worker.
    Wizard::Statistics::StartReporting(session_);
    // The package's signature check opens the trusted roots and the chain
    // engine, which takes a fifth of a second or more the first time in a
    // process: readied now, beside the pages, that time is off the check.
    Installation::PrepareChecksInBackground();
}
