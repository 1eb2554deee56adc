#include "wizard/BaseDialog.h"

#include "language/AsLanguage_Manager.h"

namespace {

// Where the main window's client area lies from the page's: the pictures
// cover the whole window, so a page draws them shifted by this much.
POINT MainWindowOrigin(HWND page) {
    POINT pageOrigin{0, 0}, mainOrigin{0, 0};
    ClientToScreen(page, &pageOrigin);
    if (HWND main = GetParent(page)) ClientToScreen(main, &mainOrigin);
    return {mainOrigin.x - pageOrigin.x, mainOrigin.y - pageOrigin.y};
}

}  // namespace

int LanguageLogoImage(LanguageId language) {
    switch (language) {
        case Language::French: return IDPNG_LANGUAGE_CAPTION_FR;
        case Language::German: return IDPNG_LANGUAGE_CAPTION_DE;
        case Language::Spanish: return IDPNG_LANGUAGE_CAPTION_ES;
        case Language::Italian: return IDPNG_LANGUAGE_CAPTION_IT;
        case Language::Japanese: return IDPNG_LANGUAGE_CAPTION_JA;
        default: return IDPNG_LANGUAGE_CAPTION_EN;
    }
}

BaseDialog::BaseDialog(int templateId, Installation::Session& session)
    : Framework::Dialog(templateId), session_(session) {
    bottomStrip_.LoadFromResource(kBottomStripImage);  // absent from the skin: then nothing is drawn
}

bool BaseDialog::CreatePage(HWND mainDialog, const SmartBitmap* backdrop) {
    backdrop_ = backdrop;
    if (!Create(mainDialog)) return false;
    // The page id as the window's id, so tools can tell the pages apart.
    SetWindowLongPtrW(Handle(), GWLP_ID, TemplateId());
    ShowWindow(Handle(), SW_HIDE);
    return true;
}

void BaseDialog::ShowPage(bool visible) {
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

BOOL BaseDialog::OnInitDialog() {
    AsLanguage_Manager& languages = Languages();
    const LanguageId current = languages.Current_Language();
    if (Language::IsValid(current)) languages.Change_Language(current);
    // From now on the page hears of every change of language. It was left out
    // of the change above: its controls do not exist yet, so the page applies
    // the current language itself once it has made them.
    languages.Register_Window(this);
    return TRUE;
}

bool BaseDialog::PreTranslateMessage(MSG& message) {
    // Return goes on to the main dialog, where it means Next on every page.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) return false;
    return Framework::Dialog::PreTranslateMessage(message);
}

LRESULT BaseDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_NCHITTEST: return OnNcHitTest(wParam, lParam);
        default: return Framework::Dialog::WindowProc(message, wParam, lParam);
    }
}

LRESULT BaseDialog::OnEraseBackground(HDC dc) {
    Framework::UniqueGraphics graphics = Framework::GraphicsFor(dc);
    const POINT origin = MainWindowOrigin(Handle());
    if (pageImage_.IsLoaded())
        pageImage_.Draw(graphics.Get(), origin.x, origin.y);
    else if (backdrop_)
        backdrop_->Draw(graphics.Get(), origin.x, origin.y);
    bottomStrip_.Draw(graphics.Get(), 0, kBottomStripY);
    return 1;
}

void BaseDialog::PlaceControls(const ControlPlace* places, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const ControlPlace& place = places[i];
        HWND control = Item(place.id);
        if (!control) continue;
        const UINT sizing = place.width ? 0 : SWP_NOSIZE;
        SetWindowPos(control, nullptr, place.x, place.y, place.width, place.height,
                     sizing | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT BaseDialog::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
    // The page's own surface lets the pointer through to the main dialog,
    // which can be dragged by any point that is not a control.
    const LRESULT hit = Framework::Dialog::WindowProc(WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTTRANSPARENT : hit;
}

void BaseDialog::DrawLanguageLogo(Gdiplus::GpGraphics* graphics) {
    languageLogo_.LoadFromResource(LanguageLogoImage(Languages().Current_Language()));
    languageLogo_.Draw(graphics, kLogoX, kLogoY);
}
