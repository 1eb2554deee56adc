#include "controls/BannerBoard.h"

#include "controls/WizardBackdrop.h"
#include "framework/GdiHandles.h"
#include "framework/OffscreenCanvas.h"

BannerBoard::BannerBoard() {
    items_.reserve(10);
    background_.LoadFromResource(kBackgroundImage);
}

bool BannerBoard::Create(HWND parent, int controlId) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), nullptr, nullptr);
    if (!window) return false;
    if (Subclass(window)) return true;
    DestroyWindow(window);
    return false;
}

void BannerBoard::AddItem(int pngId, HMODULE module) {
    auto item = std::make_unique<BoardItem>();
    item->image.LoadFromResource(pngId, module);
    items_.push_back(std::move(item));
    fade_.ItemAdded();
}

void BannerBoard::DrawBanner(Gdiplus::GpGraphics* graphics, int x, int y) const {
    const Controls::BannerCrossFade::Drawing drawing = fade_.ToDraw();
    if (drawing.index < 0 || static_cast<std::size_t>(drawing.index) >= items_.size()) return;
    items_[drawing.index]->image.DrawWithTransparency(graphics, x, y, drawing.transparency);
}

LRESULT BannerBoard::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return OnPaint();
        case WM_ERASEBKGND: return 1;
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

LRESULT BannerBoard::OnPaint() {
    Framework::PaintDC paint(Handle());
    PaintTo(paint.Get());
    return 0;
}

void BannerBoard::PaintTo(HDC dc) {
    const RECT client = ClientRect();
    Framework::OffscreenCanvas canvas(dc, client.right, client.bottom);
    if (!canvas.IsValid()) return;
    {
        Framework::UniqueGraphics graphics = Framework::GraphicsFor(canvas.Dc());
        DrawWizardBackdrop(graphics.Get(), background_, Handle());
        DrawBanner(graphics.Get(), 0, 0);
    }
    canvas.CopyTo(dc);
}
