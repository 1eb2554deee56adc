#include "controls/CLabel.h"

#include "common/WideText.h"
#include "framework/OffscreenCanvas.h"

namespace {

std::u16string TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    return Common::FromWide(text.c_str(), static_cast<std::size_t>(length));
}

}  // namespace

void CLabel::OnSubclassed() {
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    if (!current) current = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    GetObjectW(current, sizeof(fontDescription_), &fontDescription_);
    RebuildFont();
}

CLabel& CLabel::SetText(const std::u16string& text) {
    if (!Handle()) return *this;
    SetWindowTextW(Handle(), Common::AsWide(text));
    RepaintWithParent();
    return *this;
}

CLabel& CLabel::SetTextColor(COLORREF color) {
    textColor_ = color;
    RepaintWithParent();
    return *this;
}

CLabel& CLabel::SetFontBold(bool bold) {
    fontDescription_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    RebuildFont();
    RepaintWithParent();
    return *this;
}

CLabel& CLabel::SetFontName(const std::u16string& face, BYTE charSet) {
    lstrcpynW(fontDescription_.lfFaceName, Common::AsWide(face), LF_FACESIZE);
    fontDescription_.lfCharSet = charSet;
    RebuildFont();
    RepaintWithParent();
    return *this;
}

CLabel& CLabel::SetFontSize(int height) {
    fontDescription_.lfHeight = height;
    RebuildFont();
    RepaintWithParent();
    return *this;
}

CLabel& CLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    if (Handle() && transparent) {
        const LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_TRANSPARENT);
    }
    RepaintWithParent();
    return *this;
}

void CLabel::RebuildFont() {
    fontDescription_.lfQuality = ANTIALIASED_QUALITY;
    font_.Reset(CreateFontIndirectW(&fontDescription_));
}

void CLabel::RepaintWithParent() {
    if (!Handle()) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HWND parent = GetParent(Handle());
    if (!parent) return;
    // The parent's picture under the label first, then the label over it: the
    // children of that area are repainted after their parent.
    const RECT under = RectInParent();
    RedrawWindow(parent, &under, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT CLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return OnPaint();
        case WM_PRINTCLIENT: {
            PaintText(reinterpret_cast<HDC>(wParam), ClientRect());
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SYSCOLORCHANGE: return OnSysColorChange();
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

LRESULT CLabel::OnPaint() {
    Framework::PaintDC paint(Handle());
    const RECT client = ClientRect();
    if (transparent_) {
        PaintText(paint.Get(), client);
        return 0;
    }
    Framework::OffscreenCanvas canvas(paint.Get(), client.right, client.bottom);
    if (!canvas.IsValid()) return 0;
    FillRect(canvas.Dc(), &client, background_.Get());
    PaintText(canvas.Dc(), client);
    canvas.CopyTo(paint.Get());
    return 0;
}

LRESULT CLabel::OnSysColorChange() {
    background_.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    Invalidate();
    return 0;
}

void CLabel::PaintText(HDC dc, const RECT& client) {
    const std::u16string text = TextOf(Handle());
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    Framework::SavedDcState saved(dc);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, font_.Get());
    ::SetTextColor(dc, textColor_);
    RECT area = client;
    DrawTextW(dc, Common::AsWide(text), -1, &area, Controls::LabelTextFormat(style, text));
}

void ApplyLabelStyle(CLabel& label, Controls::LabelPreset preset) {
    const Controls::LabelLookValues look = Controls::LookOf(preset);
    label.SetTransparent(true)
        .SetFontName(look.face, ANSI_CHARSET)
        .SetFontSize(look.height)
        .SetFontBold(look.weight >= FW_BOLD)
        .SetTextColor(RGB(look.red, look.green, look.blue));
}
