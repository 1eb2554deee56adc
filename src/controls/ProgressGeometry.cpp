#include "controls/ProgressGeometry.h"

namespace Controls {

namespace {
constexpr int kSweepStep = 3;
constexpr int kOvershoot = 20;
}  // namespace

int ProgressFillWidth(int trackWidth, int marginX, int percent) {
    const int inner = trackWidth - 2 * marginX;
    if (inner <= 0) return 0;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    return static_cast<int>(static_cast<unsigned>(inner) * static_cast<unsigned>(percent) / 100u);
}

SweepState NextSweep(SweepState state, int trackWidth, int highlightWidth) {
    if (state.x >= trackWidth - highlightWidth + kOvershoot) state.leftward = true;
    if (state.x < -(kOvershoot - 1)) {
        state.leftward = false;
        state.x += kSweepStep;
    } else {
        state.x += state.leftward ? -kSweepStep : kSweepStep;
    }
    return state;
}

}  // namespace Controls
