// The arithmetic of the skinned progress bar: how much of the track the fill
// covers, and how the highlight sweeps to and fro while the length of the work
// is unknown.
#pragma once

namespace Controls {

// Width of the fill for `percent` of a track `trackWidth` wide with the fill
// inset by `marginX` on each side. Percent outside 0 to 100 counts as the
// nearest end; a track narrower than its margins has no fill.
int ProgressFillWidth(int trackWidth, int marginX, int percent);

// The moving highlight: its left edge and its direction.
struct SweepState {
    int x = 0;
    bool leftward = false;
};

// One 40 ms step. The highlight turns left once its left edge reaches
// trackWidth - highlightWidth + 20 and right once it is below -19; it moves
// 3 pixels per step.
SweepState NextSweep(SweepState state, int trackWidth, int highlightWidth);

}  // namespace Controls
