#include "controls/CCheckBox.h"

namespace {
constexpr COLORREF kClearColor = RGB(255, 0, 255);  // the strip's background
}  // namespace

CCheckBox::CCheckBox(HMODULE module)
    : strip_(LoadBitmapW(module ? module : GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kStripResource))) {}

void CCheckBox::OnSubclassed() {
    if (!IsWindowEnabled(Handle())) state_.Enable(false);
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, style | BS_OWNERDRAW);
    SetWindowPos(Handle(), nullptr, 0, 0, kGlyphSize, kGlyphSize, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CCheckBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return OnButtonDown(wParam, lParam);  // two quick clicks toggle twice
        case WM_LBUTTONUP: return OnButtonUp(wParam, lParam);
        case BM_GETCHECK: return state_.Checked() ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK: return OnSetCheck(wParam);
        case WM_ENABLE: return OnEnable(wParam, lParam);
        case WM_MOUSEMOVE:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return 0;
        case WM_ERASEBKGND: return 1;
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

bool CCheckBox::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    Paint(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC);
    result = TRUE;
    return true;
}

LRESULT CCheckBox::OnButtonDown(WPARAM wParam, LPARAM lParam) {
    state_.Press();
    RepaintNow();
    return DefaultProc(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CCheckBox::OnButtonUp(WPARAM wParam, LPARAM lParam) {
    const RECT client = ClientRect();
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    state_.Release(PtInRect(&client, at) != FALSE);
    RepaintNow();
    return DefaultProc(WM_LBUTTONUP, wParam, lParam);
}

LRESULT CCheckBox::OnSetCheck(WPARAM wParam) {
    state_.SetCheck(wParam == BST_CHECKED);
    RepaintNow();
    return 0;
}

LRESULT CCheckBox::OnEnable(WPARAM wParam, LPARAM lParam) {
    state_.Enable(wParam != FALSE);
    RepaintNow();
    return DefaultProc(WM_ENABLE, wParam, lParam);
}

void CCheckBox::RepaintNow() {
    if (!Handle()) return;
    Framework::WindowDC dc(Handle());
    Paint(dc.Get());
}

void CCheckBox::Paint(HDC dc) {
    if (!dc) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (face != faceColor_) {
        for (auto& image : stateImages_) image.Reset();
        faceColor_ = face;
        rebuild_ = true;
    }
    if (rebuild_) BuildStateImages(dc);
    const HBITMAP image = stateImages_[static_cast<std::size_t>(state_.Glyph())].Get();
    if (!image) return;
    Framework::UniqueMemoryDC source(CreateCompatibleDC(dc));
    Framework::SelectionScope selected(source.Get(), image);
    const RECT client = ClientRect();
    BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
}

void CCheckBox::BuildStateImages(HDC reference) {
    rebuild_ = false;
    if (!strip_) return;
    RECT client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0) client = {0, 0, kGlyphSize, kGlyphSize};
    Framework::UniqueMemoryDC glyphDc(CreateCompatibleDC(reference));
    Framework::UniqueMemoryDC maskDc(CreateCompatibleDC(reference));
    Framework::UniqueMemoryDC imageDc(CreateCompatibleDC(reference));
    Framework::SelectionScope stripSelected(glyphDc.Get(), strip_.Get());
    Framework::UniqueBitmap mask(CreateBitmap(kGlyphSize, kGlyphSize, 1, 1, nullptr));
    Framework::SelectionScope maskSelected(maskDc.Get(), mask.Get());
    SetBkColor(glyphDc.Get(), kClearColor);

    for (std::size_t state = 0; state < stateImages_.size(); ++state) {
        const int left = static_cast<int>(state) * kGlyphSize;
        // Magenta pixels of the glyph become 1 in the mask, the rest 0.
        BitBlt(maskDc.Get(), 0, 0, kGlyphSize, kGlyphSize, glyphDc.Get(), left, 0, SRCCOPY);
        Framework::UniqueBitmap image(CreateCompatibleBitmap(reference, client.right, client.bottom));
        {
            Framework::SelectionScope imageSelected(imageDc.Get(), image.Get());
            // The clear parts show black, as a fresh bitmap would.
            PatBlt(imageDc.Get(), 0, 0, client.right, client.bottom, BLACKNESS);
            SetBkColor(imageDc.Get(), RGB(255, 255, 255));
            SetTextColor(imageDc.Get(), RGB(0, 0, 0));
            BitBlt(imageDc.Get(), 0, 0, kGlyphSize, kGlyphSize, glyphDc.Get(), left, 0, SRCINVERT);
            BitBlt(imageDc.Get(), 0, 0, kGlyphSize, kGlyphSize, maskDc.Get(), 0, 0, SRCAND);
            BitBlt(imageDc.Get(), 0, 0, kGlyphSize, kGlyphSize, glyphDc.Get(), left, 0, SRCINVERT);
        }
        stateImages_[state] = std::move(image);
    }
}
