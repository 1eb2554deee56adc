// Positions in a ring of items that wraps from the last item to the first;
// -1 stands for "no item".
#pragma once

namespace Controls {

// The item after `position` in a ring of `count` items; the first when
// nothing was selected; -1 in an empty ring.
constexpr int NextInRing(int position, int count) {
    if (count <= 0) return -1;
    return position < 0 || position + 1 >= count ? 0 : position + 1;
}

}  // namespace Controls
