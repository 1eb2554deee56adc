// A 32-bit top-down pixel surface with its own device context, for drawing a
// control or an image and reading back exact pixels.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/GdiHandles.h"
#include "framework/GdiplusHandles.h"

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        dc_.Reset(CreateCompatibleDC(nullptr));
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
        Fill(fill);
    }
    ~PixelCanvas() { SelectObject(dc_.Get(), previous_); }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Fill(COLORREF color) {
        Framework::UniqueBrush brush(CreateSolidBrush(color));
        RECT all{0, 0, width_, height_};
        FillRect(dc_.Get(), &all, brush.Get());
        GdiFlush();
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // Pixels with exactly this colour.
    int Count(COLORREF color) const {
        int count = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) count += At(x, y) == color;
        return count;
    }
    bool SameAs(const PixelCanvas& other) const {
        if (other.width_ != width_ || other.height_ != height_) return false;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != other.At(x, y)) return false;
        return true;
    }
    Framework::UniqueGraphics Graphics() const { return Framework::GraphicsFor(dc_.Get()); }

private:
    int width_;
    int height_;
    Framework::UniqueBitmap bitmap_;
    Framework::UniqueMemoryDC dc_;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};
