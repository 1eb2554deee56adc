// The base of a control that draws all of itself. It paints through one
// off-screen canvas in one DoPaint and copies the result to the screen in one
// operation, so the screen never shows a half-drawn frame: WM_ERASEBKGND
// does nothing (the paint covers every pixel), and WM_PRINTCLIENT paints
// like WM_PAINT, into the device context it brings.
#pragma once

#include <windows.h>

#include "framework/Window.h"

namespace Framework {

class BufferedPaintWindow : public Window {
public:
    // What WM_PAINT puts on the canvas: the whole client area, or only the
    // clip box of the update (for a control whose canvas would be large).
    enum class PaintArea { Client, ClipBox };

    // Paints the whole client area onto `dc` now, through the canvas.
    void PaintTo(HDC dc);

protected:
    explicit BufferedPaintWindow(PaintArea paintArea = PaintArea::Client) : paintArea_(paintArea) {}

    // Draws `area` (client coordinates) onto `dc`, a canvas that shows
    // exactly that area. False when there is nothing to draw: the canvas is
    // then not copied and the target keeps what it shows.
    virtual bool DoPaint(HDC dc, const RECT& area) = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint();
    void PaintThroughCanvas(HDC target, const RECT& area);

    PaintArea paintArea_;
};

}  // namespace Framework
