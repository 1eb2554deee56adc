#include "controls/ProgressGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace Controls;

TEST(ProgressGeometry, FillCoversTheShareOfTheTrackInsideItsMargins) {
    struct Case {
        int track, margin, percent, expected;
    } cases[] = {
        {440, 1, 0, 0},     {440, 1, 100, 438}, {440, 1, 50, 219}, {440, 1, 1, 4},
        {440, 1, 99, 433},  // 438 * 99 / 100 = 433.62, truncated
        {440, 1, -5, 0},    {440, 1, 250, 438},  // out of range: the nearest end
        {2, 1, 50, 0},      {0, 1, 50, 0},       // no room inside the margins
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressFillWidth(c.track, c.margin, c.percent), c.expected) << c.track << " " << c.percent;
}

TEST(ProgressGeometry, HighlightSweepsBetweenItsTurningPoints) {
    // With the shipped images (440 and 101 wide) it runs from 0 in steps of 3
    // between -21 and 360.
    SweepState state;
    int lowest = 0, highest = 0;
    bool turnedLeft = false, turnedRight = false;
    for (int step = 0; step < 400; ++step) {
        const SweepState next = NextSweep(state, 440, 101);
        EXPECT_EQ(std::abs(next.x - state.x), 3);
        turnedLeft |= next.leftward && !state.leftward;
        turnedRight |= !next.leftward && state.leftward;
        state = next;
        lowest = std::min(lowest, state.x);
        highest = std::max(highest, state.x);
    }
    EXPECT_EQ(highest, 360);
    EXPECT_EQ(lowest, -21);
    EXPECT_TRUE(turnedLeft && turnedRight);
}

TEST(ProgressGeometry, TurningPointsComeFromTheImageWidths) {
    // The right turn comes at the first x >= track - highlight + 20, the left
    // one below -19, whatever the size of the window.
    struct Case {
        int track, highlight, highest, lowest;
    } cases[] = {{440, 101, 360, -21}, {200, 50, 171, -21}, {50, 101, 0, -21}};
    for (const Case& c : cases) {
        SweepState state;
        int highest = state.x, lowest = state.x;
        for (int step = 0; step < 300; ++step) {
            state = NextSweep(state, c.track, c.highlight);
            highest = std::max(highest, state.x);
            lowest = std::min(lowest, state.x);
        }
        EXPECT_EQ(highest, c.highest) << c.track << "/" << c.highlight;
        EXPECT_EQ(lowest, c.lowest) << c.track << "/" << c.highlight;
    }
}

}  // namespace
