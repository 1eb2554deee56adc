// The off-screen surface every self-drawing control paints into: a memory
// device context with a bitmap compatible with the target, copied to the
// target in one operation so that the screen never shows a half-drawn frame.
#pragma once

#include <windows.h>

#include "framework/GdiHandles.h"

namespace Framework {

class OffscreenCanvas {
public:
    // A canvas of the given size compatible with `target`. A size of 0 gives
    // a canvas that draws nothing and copies nothing.
    OffscreenCanvas(HDC target, int width, int height);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsValid() const { return dc_ && bitmap_; }

    // Copies the whole canvas to (x, y) of the target.
    void CopyTo(HDC target, int x = 0, int y = 0) const;

private:
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    int width_;
    int height_;
};

}  // namespace Framework
