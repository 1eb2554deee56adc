#include "controls/ScrollBarGeometry.h"

#include <algorithm>
#include <cstdint>

namespace Controls {

namespace {

constexpr int kMinimumThumb = 6;
constexpr int kSmallestTrackWithThumb = 5;

std::int64_t Range(const ScrollState& state) {
    return static_cast<std::int64_t>(state.maximum) - state.minimum + 1;
}

std::int64_t Scrollable(const ScrollState& state) { return Range(state) - state.page; }

int ThumbLength(int track, const ScrollState& state, bool forHitTest) {
    if (track <= kSmallestTrackWithThumb) return 0;
    if (!forHitTest && Scrollable(state) == 0) return 0;
    const std::int64_t range = Range(state);
    // An empty or inverted range has no proportion to show.
    if (range <= 0 || state.page <= 0) return std::min(kMinimumThumb, track);
    const std::int64_t length = static_cast<std::int64_t>(static_cast<unsigned>(state.page)) * track / range;
    return static_cast<int>(std::clamp<std::int64_t>(length, kMinimumThumb, track));
}

}  // namespace

int SkinCell::ColumnOf(int part, bool vertical) {
    const int offset = vertical ? 0 : kLeftArrow;
    switch (part) {
        case ScrollPart::kLineUp: return kUpArrow + offset;
        case ScrollPart::kLineDown: return kDownArrow + offset;
        case ScrollPart::kThumb: return kVerticalThumb + offset;
        case ScrollPart::kPageUp:
        case ScrollPart::kPageDown: return kVerticalTrack + offset;
        default: return -1;
    }
}

BarSpan BarLayout::SpanOf(int part) const {
    switch (part) {
        case ScrollPart::kLineUp: return upArrow;
        case ScrollPart::kLineDown: return downArrow;
        case ScrollPart::kPageUp: return pageUp;
        case ScrollPart::kPageDown: return pageDown;
        case ScrollPart::kThumb: return thumb;
        default: return {};
    }
}

BarLayout LayOutBar(int length, int cell, const ScrollState& state, bool forHitTest) {
    BarLayout layout;
    layout.length = std::max(length, 0);
    layout.track = std::max(layout.length - 2 * cell, 0);
    layout.arrow = layout.track == 0 ? layout.length / 2 : cell;
    layout.thumbLength = ThumbLength(layout.track, state, forHitTest);

    const int freeTrack = layout.track - layout.thumbLength;
    const std::int64_t scrollable = Scrollable(state);
    const int position = state.trackPosition >= 0 ? state.trackPosition : state.position;
    std::int64_t offset = scrollable == 0 ? freeTrack / 2
                                          : static_cast<std::int64_t>(freeTrack) * (position - state.minimum) / scrollable;
    // A position outside the range keeps the thumb inside the track.
    offset = std::clamp<std::int64_t>(offset, 0, std::max(freeTrack, 0));

    const int a = layout.arrow;
    const int thumbStart = a + static_cast<int>(offset);
    layout.upArrow = {0, a};
    layout.pageUp = {a, thumbStart};
    layout.thumb = {thumbStart, thumbStart + layout.thumbLength};
    layout.downArrow = {layout.length - a, layout.length};
    layout.pageDown = {layout.thumb.end, std::max(layout.thumb.end, layout.downArrow.start)};
    return layout;
}

int HitTestBar(int length, int cell, const ScrollState& state, int at) {
    if (at < 0) return ScrollPart::kNone;
    const BarLayout layout = LayOutBar(length, cell, state, true);
    for (int part : {ScrollPart::kLineUp, ScrollPart::kPageUp, ScrollPart::kThumb, ScrollPart::kPageDown,
                     ScrollPart::kLineDown})
        if (layout.SpanOf(part).Contains(at)) return part;
    return ScrollPart::kNone;
}

int ScrollLimit(const ScrollState& state) {
    const std::int64_t limit = Scrollable(state);
    return static_cast<int>(std::max<std::int64_t>(limit, state.minimum));
}

int DraggedPosition(int length, int cell, const ScrollState& state, int startPosition, int delta) {
    const BarLayout layout = LayOutBar(length, cell, state);
    const int travel = layout.track - layout.thumbLength;
    const std::int64_t moved = travel == 0 ? 0 : static_cast<std::int64_t>(delta) * Scrollable(state) / travel;
    const std::int64_t wanted = static_cast<std::int64_t>(startPosition) + moved;
    return static_cast<int>(std::clamp<std::int64_t>(wanted, state.minimum, ScrollLimit(state)));
}

}  // namespace Controls
