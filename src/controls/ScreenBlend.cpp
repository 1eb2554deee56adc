#include "controls/ScreenBlend.h"

namespace Controls {

std::uint8_t ScreenBlendChannel(std::uint8_t canvas, std::uint8_t overlay) {
    // 255 - (255 - b)(255 - o) / 255, the division rounded up so the result
    // is the integer part of the exact value.
    const unsigned product = (255u - canvas) * (255u - overlay);
    return static_cast<std::uint8_t>(255u - (product + 254u) / 255u);
}

void ScreenBlendOnto(const PixelRows& canvas, PixelRows overlay, int x, int y) {
    if (!canvas.pixels || !overlay.pixels || canvas.stride < canvas.width * 4 || overlay.stride < overlay.width * 4)
        return;
    for (int row = 0; row < overlay.height; ++row) {
        const int canvasRow = y + row;
        if (canvasRow < 0 || canvasRow >= canvas.height) continue;
        for (int column = 0; column < overlay.width; ++column) {
            const int canvasColumn = x + column;
            if (canvasColumn < 0 || canvasColumn >= canvas.width) continue;
            std::uint8_t* top = overlay.pixels + static_cast<std::ptrdiff_t>(row) * overlay.stride + column * 4;
            const std::uint8_t* under =
                canvas.pixels + static_cast<std::ptrdiff_t>(canvasRow) * canvas.stride + canvasColumn * 4;
            for (int channel = 0; channel < 3; ++channel) top[channel] = ScreenBlendChannel(under[channel], top[channel]);
        }
    }
}

}  // namespace Controls
