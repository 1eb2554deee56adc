#include "controls/ScreenBlend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Controls::PixelRows;
using Controls::ScreenBlendChannel;

TEST(ScreenBlend, ChannelIsTheIntegerPartOfTheExactFormula) {
    for (int b = 0; b < 256; ++b) {
        for (int o = 0; o < 256; ++o) {
            // Exact in rationals: 255 - (255 - b)(255 - o) / 255.
            const long numerator = 255L * 255L - (255L - b) * (255L - o);
            const long expected = numerator / 255L;
            ASSERT_EQ(ScreenBlendChannel(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(o)), expected)
                << "canvas " << b << " overlay " << o;
        }
    }
}

TEST(ScreenBlend, WhiteStaysWhiteAndBlackChangesNothing) {
    for (int value : {0, 1, 3, 77, 128, 254, 255}) {
        const auto v = static_cast<std::uint8_t>(value);
        EXPECT_EQ(ScreenBlendChannel(v, 255), 255);
        EXPECT_EQ(ScreenBlendChannel(255, v), 255);
        EXPECT_EQ(ScreenBlendChannel(v, 0), v) << "a black overlay never darkens";
        EXPECT_GE(ScreenBlendChannel(v, 100), v) << "screen only lightens";
    }
}

std::vector<std::uint8_t> Pixels(int count, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < count; ++i) pixels.insert(pixels.end(), {b, g, r, a});
    return pixels;
}

TEST(ScreenBlend, OverlayKeepsItsAlphaAndSkipsPixelsOutsideTheCanvas) {
    auto canvas = Pixels(4, 255, 255, 255, 0);  // 2 x 2 white
    auto overlay = Pixels(9, 10, 20, 30, 128);  // 3 x 3 at (1, 1): only its top-left pixel is over the canvas
    Controls::ScreenBlendOnto({canvas.data(), 2, 2, 8}, {overlay.data(), 3, 3, 12}, 1, 1);
    EXPECT_EQ(std::vector<std::uint8_t>(overlay.begin(), overlay.begin() + 4),
              (std::vector<std::uint8_t>{255, 255, 255, 128}));
    for (std::size_t i = 4; i < overlay.size(); i += 4)
        EXPECT_EQ(std::vector<std::uint8_t>(overlay.begin() + i, overlay.begin() + i + 4),
                  (std::vector<std::uint8_t>{10, 20, 30, 128}))
            << "pixel " << i / 4 << " lies outside the canvas";
}

TEST(ScreenBlend, RowsFollowTheirStrideAndNegativePlacesClip) {
    // Canvas rows padded to 12 bytes; the overlay starts left of and above it.
    std::vector<std::uint8_t> canvas(24, 0);
    canvas[12 + 4 + 2] = 200;  // red of canvas pixel (1, 1)
    auto overlay = Pixels(4, 0, 0, 0, 255);
    Controls::ScreenBlendOnto({canvas.data(), 2, 2, 12}, {overlay.data(), 2, 2, 8}, -1, -1);
    EXPECT_EQ(overlay[12 + 2], 0) << "overlay (1, 1) lies on canvas (0, 0)";
    Controls::ScreenBlendOnto({canvas.data(), 2, 2, 12}, {overlay.data(), 2, 2, 8}, 0, 0);
    EXPECT_EQ(overlay[12 + 2], 200);
}

}  // namespace
