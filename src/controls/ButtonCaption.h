// Where a push button's caption goes: vertically a little above the middle of
// the item, so that it sits on the visible face of the skinned button.
#pragma once

namespace Controls {

// Top of the caption rectangle for an item from `itemTop` to `itemBottom`
// and a caption `textHeight` high: (bottom - top - h - h/2) / 2, the last
// halving rounded toward minus infinity, plus `offsetY`.
int CaptionTop(int itemTop, int itemBottom, int textHeight, int offsetY);

// Integer division rounding toward minus infinity.
constexpr int FloorDivide(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && ((value < 0) != (divisor < 0))) ? quotient - 1 : quotient;
}

}  // namespace Controls
