// Screen blending of an overlay onto what lies under it: the glow of the
// carousel's centre box lightens the picture below it, never darkens it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Controls {

// One colour channel: 255 x (1 - (1 - canvas/255) x (1 - overlay/255)),
// truncated, computed exactly in integers (a float formula can lose one step
// to rounding, turning a black overlay into a darkening one).
std::uint8_t ScreenBlendChannel(std::uint8_t canvas, std::uint8_t overlay);

// 32-bit pixels, blue, green, red and a fourth byte; rows `stride` bytes
// apart (at least 4 x width), top row first.
struct PixelRows {
    std::uint8_t* pixels;
    int width;
    int height;
    int stride;
};

// Blends the blue, green and red bytes of every overlay pixel with the canvas
// pixel at (x + column, y + row); alpha bytes keep their value. Overlay
// pixels that would fall outside the canvas stay as they are.
void ScreenBlendOnto(const PixelRows& canvas, PixelRows overlay, int x, int y);

}  // namespace Controls
