#include "framework/OffscreenCanvas.h"

namespace Framework {

OffscreenCanvas::OffscreenCanvas(HDC target, int width, int height)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {
    if (width_ == 0 || height_ == 0) return;
    dc_.Reset(CreateCompatibleDC(target));
    bitmap_.Reset(CreateCompatibleBitmap(target, width_, height_));
    if (dc_ && bitmap_) {
        // Recorded for readers that need the size of the pixels they copy out.
        SetBitmapDimensionEx(bitmap_.Get(), width_, height_, nullptr);
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    }
}

OffscreenCanvas::~OffscreenCanvas() {
    // The bitmap must leave the device context before either is deleted.
    if (previous_) SelectObject(dc_.Get(), previous_);
}

void OffscreenCanvas::CopyTo(HDC target, int x, int y) const {
    if (IsValid()) BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

}  // namespace Framework
