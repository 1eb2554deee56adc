#include "controls/MovingPicture.h"

#include <cstring>

namespace Gdip = Framework::Gdip;

void MovingPicture::Draw(HDC dc, int left, int top, int width, int height, int opacity) const {
    if (!dc || width <= 0 || height <= 0 || opacity <= 0 || !Convert()) return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity > 255 ? 255 : opacity), AC_SRC_ALPHA};
    GdiAlphaBlend(dc, left, top, width, height, dc_.Get(), 0, 0, static_cast<int>(picture_.Width()),
                  static_cast<int>(picture_.Height()), blend);
}

bool MovingPicture::Convert() const {
    if (tried_) return static_cast<bool>(dc_);
    tried_ = true;
    const auto image = picture_.GetImage();
    const int width = static_cast<int>(picture_.Width());
    const int height = static_cast<int>(picture_.Height());
    if (!image || width <= 0 || height <= 0) return false;

    Gdiplus::GpRect area{0, 0, width, height};
    Gdiplus::BitmapData pixels{};
    if (Gdip::GdipBitmapLockBits(image.get(), &area, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &pixels) !=
        Gdiplus::Ok)
        return false;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap_ && bits && pixels.Stride > 0) {
        for (int row = 0; row < height; ++row)
            std::memcpy(static_cast<std::uint8_t*>(bits) + static_cast<std::size_t>(row) * width * 4,
                        static_cast<const std::uint8_t*>(pixels.Scan0) + static_cast<std::size_t>(row) * pixels.Stride,
                        static_cast<std::size_t>(width) * 4);
    }
    Gdip::GdipBitmapUnlockBits(image.get(), &pixels);
    if (!bitmap_ || !bits || pixels.Stride <= 0) {
        bitmap_.Reset();
        return false;
    }
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!dc_) return false;
    SelectObject(dc_.Get(), bitmap_.Get());
    return true;
}
