#include "controls/ButtonCaption.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonCaption, TopSitsAboveTheMiddleAndRoundsDown) {
    struct Case {
        int top, bottom, textHeight, offsetY, expected;
    } cases[] = {
        {0, 38, 15, 4, 12},  // the main dialog's buttons: (38 - 15 - 7) / 2 + 4
        {0, 38, 15, 0, 8},
        {0, 26, 16, 0, 1},   // (26 - 16 - 8) / 2
        {0, 10, 15, 0, -6},  // (10 - 15 - 7) / 2 = -12 / 2
        {0, 10, 16, 0, -7},  // -14 / 2
        {0, 11, 16, 0, -7},  // -13 / 2 rounds toward minus infinity
        {5, 43, 15, 2, 10},  // measured from the item's height, not its top
    };
    for (const Case& c : cases)
        EXPECT_EQ(Controls::CaptionTop(c.top, c.bottom, c.textHeight, c.offsetY), c.expected)
            << c.top << ".." << c.bottom << " h " << c.textHeight;
}

TEST(ButtonCaption, FloorDivideRoundsTowardMinusInfinity) {
    static_assert(Controls::FloorDivide(7, 2) == 3);
    static_assert(Controls::FloorDivide(-7, 2) == -4);
    static_assert(Controls::FloorDivide(-8, 2) == -4);
    static_assert(Controls::FloorDivide(0, 2) == 0);
}

}  // namespace
