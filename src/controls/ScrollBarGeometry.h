// Where the parts of a skinned scroll bar lie, which part a point hits, and
// where a dragged thumb puts the position. Everything is measured along the
// bar (top to bottom, or left to right for a horizontal bar); across it each
// part is one skin cell thick.
#pragma once

namespace Controls {

// Bar parts; the codes equal the scroll requests they send.
namespace ScrollPart {
constexpr int kNone = -1;
constexpr int kLineUp = 0;
constexpr int kLineDown = 1;
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumb = 5;
}  // namespace ScrollPart

// Columns and rows of the skin bitmap: 9 by 3 square cells.
namespace SkinCell {
constexpr int kColumns = 9;
constexpr int kUpArrow = 0, kDownArrow = 1, kVerticalThumb = 2, kVerticalTrack = 3;
constexpr int kLeftArrow = 4, kRightArrow = 5, kHorizontalThumb = 6, kHorizontalTrack = 7, kCorner = 8;
constexpr int kNormalRow = 0, kHoverRow = 1, kPressedRow = 2;
// The column of a part's picture, or -1 (the thumb's ends are caps of 3 pixels).
int ColumnOf(int part, bool vertical);
}  // namespace SkinCell
constexpr int kThumbCap = 3;

struct ScrollState {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
    int trackPosition = -1;  // while the thumb is dragged
};

// A span [start, end) along the bar.
struct BarSpan {
    int start = 0;
    int end = 0;
    int Length() const { return end - start; }
    bool Contains(int at) const { return at >= start && at < end; }
};

struct BarLayout {
    int length = 0;       // the whole bar
    int track = 0;        // the bar less both arrows
    int arrow = 0;
    int thumbLength = 0;  // 0: no thumb
    BarSpan upArrow, pageUp, thumb, pageDown, downArrow;

    BarSpan SpanOf(int part) const;
};

// The parts of a bar of `length` with skin cells of `cell` pixels. For hit
// testing the thumb keeps its size even when there is nothing to scroll.
BarLayout LayOutBar(int length, int cell, const ScrollState& state, bool forHitTest = false);

// The part at `at` along the bar; kNone for a negative coordinate or past the end.
int HitTestBar(int length, int cell, const ScrollState& state, int at);

// The highest position the bar can take: maximum - minimum - page + 1, at
// least the minimum.
int ScrollLimit(const ScrollState& state);

// The position a thumb dragged by `delta` pixels from where it was pressed
// (at `startPosition`) stands for, within minimum and the limit.
int DraggedPosition(int length, int cell, const ScrollState& state, int startPosition, int delta);

}  // namespace Controls
