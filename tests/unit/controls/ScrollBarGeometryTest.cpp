#include <gtest/gtest.h>

#include "controls/ScrollBarGeometry.h"

using namespace Controls;

namespace {
constexpr int kCell = 13;

std::string Spans(const BarLayout& layout) {
    std::string text;
    for (const BarSpan& span : {layout.upArrow, layout.pageUp, layout.thumb, layout.pageDown, layout.downArrow})
        text += std::to_string(span.start) + "-" + std::to_string(span.end) + " ";
    return text;
}
}  // namespace

TEST(ScrollBarGeometry, PartsAlongTheBar) {
    struct Case {
        int length;
        ScrollState state;
        const char* spans;
    } cases[] = {
        // 150 pixels: track 124; page 50 of 200 gives a thumb of 31.
        {150, {0, 199, 50, 0}, "0-13 13-13 13-44 44-137 137-150 "},
        {150, {0, 199, 50, 150}, "0-13 13-106 106-137 137-137 137-150 "},
        {150, {0, 199, 50, 75}, "0-13 13-59 59-90 90-137 137-150 "},
        // The track position wins over the position while dragging.
        {150, {0, 199, 50, 0, 150}, "0-13 13-106 106-137 137-137 137-150 "},
        // Page equal to the range: no thumb, the track parts meet in the middle.
        {150, {0, 99, 100, 0}, "0-13 13-75 75-75 75-137 137-150 "},
        // A tiny page still gets a thumb of 6.
        {150, {0, 9999, 1, 0}, "0-13 13-13 13-19 19-137 137-150 "},
        // No track: each arrow takes half the bar.
        {20, {0, 99, 10, 0}, "0-10 10-10 10-10 10-10 10-20 "},
        // A track of 5 pixels or less has no thumb.
        {31, {0, 99, 10, 0}, "0-13 13-13 13-13 13-18 18-31 "},
        // A position beyond the range keeps the thumb inside the track.
        {150, {0, 199, 50, 5000}, "0-13 13-106 106-137 137-137 137-150 "},
    };
    for (const auto& c : cases) EXPECT_EQ(Spans(LayOutBar(c.length, kCell, c.state)), c.spans) << c.length;
}

TEST(ScrollBarGeometry, BrokenRangesDoNotDivideByZero) {
    for (const ScrollState state : {ScrollState{0, -1, 5, 0}, ScrollState{10, 0, 0, 3}, ScrollState{0, 99, 0, 0},
                                    ScrollState{0, 99, 500, 0}}) {
        const BarLayout layout = LayOutBar(150, kCell, state, true);
        EXPECT_GE(layout.thumb.start, layout.pageUp.start);
        EXPECT_LE(layout.thumb.end, layout.downArrow.start);
        DraggedPosition(150, kCell, state, 0, 40);
    }
}

TEST(ScrollBarGeometry, HitTesting) {
    const ScrollState state{0, 199, 50, 75};
    struct Case {
        int at;
        int part;
    } cases[] = {{-1, ScrollPart::kNone}, {0, ScrollPart::kLineUp},  {12, ScrollPart::kLineUp},
                 {13, ScrollPart::kPageUp}, {58, ScrollPart::kPageUp}, {59, ScrollPart::kThumb},
                 {89, ScrollPart::kThumb}, {90, ScrollPart::kPageDown}, {137, ScrollPart::kLineDown},
                 {149, ScrollPart::kLineDown}, {150, ScrollPart::kNone}};
    for (const auto& c : cases) EXPECT_EQ(HitTestBar(150, kCell, state, c.at), c.part) << c.at;

    // With nothing to scroll the thumb is not drawn but is still hit in the middle.
    EXPECT_EQ(HitTestBar(150, kCell, {0, 99, 100, 0}, 75), ScrollPart::kThumb);
}

TEST(ScrollBarGeometry, DraggingMovesInProportionAndStopsAtTheEnds) {
    const ScrollState state{0, 199, 50, 0};
    // 93 pixels of travel stand for 150 positions.
    struct Case {
        int start, delta, position;
    } cases[] = {{0, 31, 50}, {0, 93, 150}, {0, 500, 150}, {75, -500, 0}, {75, 0, 75}, {10, -3, 6}};
    for (const auto& c : cases) EXPECT_EQ(DraggedPosition(150, kCell, state, c.start, c.delta), c.position);

    EXPECT_EQ(ScrollLimit(state), 150);
    EXPECT_EQ(DraggedPosition(150, kCell, {0, 99, 100, 0}, 0, 40), 0) << "nothing to scroll";
}

TEST(ScrollBarGeometry, SkinColumns) {
    EXPECT_EQ(SkinCell::ColumnOf(ScrollPart::kLineUp, true), 0);
    EXPECT_EQ(SkinCell::ColumnOf(ScrollPart::kLineDown, false), 5);
    EXPECT_EQ(SkinCell::ColumnOf(ScrollPart::kThumb, false), 6);
    EXPECT_EQ(SkinCell::ColumnOf(ScrollPart::kPageDown, true), 3);
    EXPECT_EQ(SkinCell::ColumnOf(ScrollPart::kNone, true), -1);
}
