// A picture in motion: the skin image as a premultiplied bitmap of the
// system's, stretched onto a device context by the system's alpha blending.
// Coarser than the graphics library's filtering, and many times faster: the
// carousel's boxes take this way while they move (dozens of frames a
// second) and the filtered way when they come to rest.
#pragma once

#include <windows.h>

#include "controls/SmartBitmap.h"
#include "framework/GdiHandles.h"

class MovingPicture {
public:
    // Converts `picture` at the first draw.
    explicit MovingPicture(const SmartBitmap& picture) : picture_(picture) {}
    MovingPicture(const MovingPicture&) = delete;
    MovingPicture& operator=(const MovingPicture&) = delete;

    // The whole picture stretched into the rectangle of `dc`, blended over
    // what is there by its alpha channel and an opacity of 0 (invisible) to
    // 255 (as it is).
    void Draw(HDC dc, int left, int top, int width, int height, int opacity = 255) const;

private:
    bool Convert() const;

    const SmartBitmap& picture_;
    // The bitmap stays selected into the device context, declared after it
    // so that the context is deleted first and lets go of it.
    mutable Framework::UniqueBitmap bitmap_;
    mutable Framework::UniqueMemoryDC dc_;
    mutable bool tried_ = false;
};
