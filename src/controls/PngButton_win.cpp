#include "controls/PngButton.h"

#include <algorithm>
#include <string>

#include "SkinImageIds.h"
#include "controls/ButtonCaption.h"
#include "framework/OffscreenCanvas.h"

namespace {

constexpr int kDefaultBackground = IDPNG_WIZARD_BACKGROUND;

RECT ScreenClientRect(HWND window) {
    RECT rect{};
    if (!window) return rect;
    GetClientRect(window, &rect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// Japanese captions need a font of the Japanese character set: Arial has no
// such glyphs, and the system then shows empty boxes.
bool HasJapanese(const std::wstring& text) {
    for (wchar_t c : text) {
        if ((c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) return true;
    }
    return false;
}

}  // namespace

HFONT PngButton::CaptionFont(const std::wstring& text) {
    if (!HasJapanese(text)) return font_.Get();
    if (!japaneseFont_) {
        LOGFONTW japanese = fontDescription_;
        japanese.lfCharSet = SHIFTJIS_CHARSET;
        japaneseFont_.Reset(CreateFontIndirectW(&japanese));
    }
    return japaneseFont_.Get();
}

PngButton::PngButton() {
    fontDescription_.lfHeight = 15;
    fontDescription_.lfWeight = FW_BOLD;
    fontDescription_.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(fontDescription_.lfFaceName, L"Arial", LF_FACESIZE);
    font_.Reset(CreateFontIndirectW(&fontDescription_));
    SetBackgroundImage(kDefaultBackground);
}

void PngButton::OnSubclassed() {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SendMessageW(Handle(), BM_SETSTYLE, static_cast<WPARAM>((style & 0xBFF4) | 0x400B), TRUE);
}

bool PngButton::SetImages(int normalId, int hoverId, int pressedId, HWND referenceWindow) {
    bool loaded = true;
    for (auto [image, id] : {std::pair{&normal_, normalId}, {&hover_, hoverId}, {&pressed_, pressedId}}) {
        image->Release();
        loaded = image->LoadFromResource(id) && loaded;
    }
    current_ = &normal_;
    reference_ = referenceWindow;
    if (Handle())
        SetWindowPos(Handle(), nullptr, 0, 0, static_cast<int>(normal_.Width()), static_cast<int>(normal_.Height()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return loaded;
}

void PngButton::SetBackgroundImage(int id) {
    // A missing resource leaves the background as it was.
    if (HasPictureResource(id)) backgroundId_ = id;
}

const PngButton::BackgroundSlice& PngButton::SliceUnder(POINT origin, SIZE size) {
    if (slice_.id == backgroundId_ && slice_.origin.x == origin.x && slice_.origin.y == origin.y &&
        slice_.size.cx == size.cx && slice_.size.cy == size.cy)
        return slice_;
    slice_.bitmap.Reset();
    slice_.id = backgroundId_;
    slice_.origin = origin;
    slice_.size = size;
    SmartBitmap whole;  // decoded for the cut only
    whole.LoadFromResource(backgroundId_);
    const auto image = whole.GetImage();
    if (!image) return slice_;
    const int left = std::max<int>(0, origin.x);
    const int top = std::max<int>(0, origin.y);
    const int right = std::min<int>(static_cast<int>(whole.Width()), origin.x + size.cx);
    const int bottom = std::min<int>(static_cast<int>(whole.Height()), origin.y + size.cy);
    if (right <= left || bottom <= top) return slice_;
    if (Framework::Gdip::GdipCloneBitmapAreaI(left, top, right - left, bottom - top, PixelFormat32bppARGB, image.get(),
                                              slice_.bitmap.Put()) != Gdiplus::Ok) {
        slice_.bitmap.Reset();
        return slice_;
    }
    slice_.drawAt = {left - origin.x, top - origin.y};
    return slice_;
}

void PngButton::SetTextColors(COLORREF normal, COLORREF hover, COLORREF disabled) {
    normalColor_ = normal;
    hoverColor_ = hover;
    disabledColor_ = disabled;
}

void PngButton::SetTextOffset(int x, int y) {
    textOffsetX_ = x;
    textOffsetY_ = y;
}

LRESULT PngButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
        case WM_MOUSELEAVE: return OnMouseLeave();
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return OnButtonDown(message, wParam, lParam);
        case WM_LBUTTONUP: return OnButtonUp(wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP: return 0;  // keys never press the button
        case WM_ERASEBKGND: return 1;
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

bool PngButton::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

LRESULT PngButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (hovering_) return 0;
    DefaultProc(WM_MOUSEMOVE, wParam, lParam);
    current_ = &hover_;
    hovering_ = true;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
    InvalidateRect(Handle(), nullptr, FALSE);
    HWND parent = GetParent(Handle());
    if (repaintParent_ && parent) {
        const RECT under = RectInParent();
        InvalidateRect(parent, &under, TRUE);
    }
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(ControlId(), kHoverNotification),
                     reinterpret_cast<LPARAM>(Handle()));
    return 0;
}

LRESULT PngButton::OnMouseLeave() {
    ShowImage(normal_, true);
    hovering_ = false;
    return 0;
}

LRESULT PngButton::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
    ShowImage(pressed_, true);
    return DefaultProc(message, wParam, lParam);
}

LRESULT PngButton::OnButtonUp(WPARAM wParam, LPARAM lParam) {
    ShowImage(hover_, true);
    return DefaultProc(WM_LBUTTONUP, wParam, lParam);
}

void PngButton::ShowImage(const SmartBitmap& image, bool erase) {
    current_ = &image;
    Invalidate(erase);
}

void PngButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    // Drawn off-screen and copied at once: the screen never shows the
    // background without the button on it.
    Framework::OffscreenCanvas canvas(item.hDC, width, height);
    if (!canvas.IsValid()) return;
    {
        Framework::UniqueGraphics graphics = Framework::GraphicsFor(canvas.Dc());
        const RECT button = ScreenClientRect(item.hwndItem);
        const RECT reference = ScreenClientRect(reference_);
        const BackgroundSlice& slice =
            SliceUnder({button.left - reference.left, button.top - reference.top}, {width, height});
        if (slice.bitmap) {
            UINT sliceWidth = 0, sliceHeight = 0;
            Framework::Gdip::GdipGetImageWidth(slice.bitmap.Get(), &sliceWidth);
            Framework::Gdip::GdipGetImageHeight(slice.bitmap.Get(), &sliceHeight);
            Framework::Gdip::GdipDrawImageRectI(graphics.Get(), slice.bitmap.Get(), slice.drawAt.x, slice.drawAt.y,
                                                static_cast<INT>(sliceWidth), static_cast<INT>(sliceHeight));
        }
        if (current_) current_->Draw(graphics.Get(), 0, 0);
    }
    DRAWITEMSTRUCT local = item;
    OffsetRect(&local.rcItem, -item.rcItem.left, -item.rcItem.top);
    DrawCaption(canvas.Dc(), local);
    canvas.CopyTo(item.hDC, item.rcItem.left, item.rcItem.top);
}

void PngButton::DrawCaption(HDC dc, const DRAWITEMSTRUCT& item) {
    const std::wstring text = TextOf(item.hwndItem);
    Framework::SavedDcState saved(dc);
    SelectObject(dc, CaptionFont(text));
    RECT measure{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    const int textHeight = measure.bottom - measure.top;
    SetBkMode(dc, TRANSPARENT);
    COLORREF color = normalColor_;
    if (item.itemState & ODS_DISABLED)
        color = disabledColor_;
    else if (hovering_)
        color = hoverColor_;
    SetTextColor(dc, color);
    RECT caption = item.rcItem;
    caption.top = Controls::CaptionTop(item.rcItem.top, item.rcItem.bottom, textHeight, textOffsetY_);
    caption.left += textOffsetX_;
    DrawTextW(dc, text.c_str(), -1, &caption, textFormat_);
}
