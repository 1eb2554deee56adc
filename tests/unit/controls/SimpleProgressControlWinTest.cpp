// The progress bar painted into a pixel canvas: share and sweeping modes.
#include <windows.h>

#include <gtest/gtest.h>

#include "ControlsTestDialog.h"
#include "PixelCanvas.h"
#include "controls/SimpleProgressControl.h"

namespace {

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bar.SubclassDlgItem(IDC_TEST_PROGRESS, dialog.Handle()));
        ASSERT_TRUE(bar.LoadImages());
        track.LoadFromResource(SimpleProgressControl::kTrackImage);
        fill.LoadFromResource(SimpleProgressControl::kFillImage);
    }

    // Columns of the painted bar, at the middle row, that show the fill.
    std::vector<bool> FilledColumns() {
        PixelCanvas painted(440, 8), trackOnly(440, 8), fillOnly(1, 8);
        bar.PaintTo(painted.Dc());
        track.DrawScaled(trackOnly.Graphics().Get(), 0, 0, 440, 8);
        fill.Draw(fillOnly.Graphics().Get(), 0, 0);
        std::vector<bool> filled;
        for (int x = 0; x < 440; ++x) {
            // The fill is opaque and tiled from the control's origin, so row 4
            // of the bar shows row 4 of the fill; the track differs from it.
            const bool same = painted.At(x, 4) == fillOnly.At(0, 4);
            filled.push_back(same && trackOnly.At(x, 4) != fillOnly.At(0, 4));
        }
        return filled;
    }

    ControlsTestDialog dialog;
    SimpleProgressControl bar;
    SmartBitmap track, fill;
};

TEST_F(ProgressTest, TakesTheSizeOfTheTrack) {
    const RECT client = bar.ClientRect();
    EXPECT_EQ(client.right, 440);
    EXPECT_EQ(client.bottom, 8);
}

TEST_F(ProgressTest, FillCoversTheShareInsideTheMargins) {
    struct Case {
        int percent;
        int firstFilled, lastFilled;  // -1: none
    } cases[] = {{0, -1, -1}, {50, 1, 219}, {100, 1, 438}};
    for (const Case& c : cases) {
        bar.SetPercent(c.percent);
        const std::vector<bool> filled = FilledColumns();
        int first = -1, last = -1;
        for (int x = 0; x < 440; ++x)
            if (filled[x]) {
                if (first < 0) first = x;
                last = x;
            }
        EXPECT_EQ(first, c.firstFilled) << c.percent;
        EXPECT_EQ(last, c.lastFilled) << c.percent;
    }
}

TEST_F(ProgressTest, SweepingFillsToTheRightEdgeAndMovesTheHighlight) {
    bar.SetPercent(0);
    bar.StartSweeping();
    EXPECT_EQ(bar.HighlightX(), 0);
    for (int tick = 0; tick < 50; ++tick) SendMessageW(bar.Handle(), WM_TIMER, SimpleProgressControl::kSweepTimer, 0);
    EXPECT_EQ(bar.HighlightX(), 150);
    const std::vector<bool> filled = FilledColumns();
    EXPECT_TRUE(filled[439]) << "no right margin while sweeping";
    EXPECT_FALSE(filled[0]);
    // The fill is the same in every column; only the highlight, from column
    // 150 on and 101 wide with faded ends, changes it.
    PixelCanvas painted(440, 8);
    bar.PaintTo(painted.Dc());
    for (int x : {149, 251, 400}) EXPECT_EQ(painted.At(x, 4), painted.At(300, 4)) << x;
    for (int x : {165, 200, 235}) EXPECT_NE(painted.At(x, 4), painted.At(300, 4)) << x;
    bar.StopSweeping();
    EXPECT_FALSE(bar.IsSweeping());
}

}  // namespace
