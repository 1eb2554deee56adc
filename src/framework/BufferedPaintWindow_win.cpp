#include "framework/BufferedPaintWindow.h"

#include "framework/GdiHandles.h"
#include "framework/OffscreenCanvas.h"

namespace Framework {

void BufferedPaintWindow::PaintTo(HDC dc) { PaintThroughCanvas(dc, ClientRect()); }

LRESULT BufferedPaintWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return OnPaint();
        case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

LRESULT BufferedPaintWindow::OnPaint() {
    PaintDC paint(Handle());
    RECT area = ClientRect();
    if (paintArea_ == PaintArea::ClipBox) GetClipBox(paint.Get(), &area);
    PaintThroughCanvas(paint.Get(), area);
    return 0;
}

void BufferedPaintWindow::PaintThroughCanvas(HDC target, const RECT& area) {
    OffscreenCanvas canvas(target, area.right - area.left, area.bottom - area.top);
    if (!canvas.IsValid()) return;
    bool drawn = false;
    {
        // The canvas shows `area`: DoPaint draws in client coordinates.
        SavedDcState saved(canvas.Dc());
        SetViewportOrgEx(canvas.Dc(), -area.left, -area.top, nullptr);
        drawn = DoPaint(canvas.Dc(), area);
    }
    if (drawn) canvas.CopyTo(target, area.left, area.top);
}

}  // namespace Framework
