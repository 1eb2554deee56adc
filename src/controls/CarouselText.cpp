#include "controls/CarouselText.h"

#include <algorithm>

namespace Controls {

namespace {

constexpr int kRow = 15;

int LineFeeds(const std::u16string& text) { return static_cast<int>(std::count(text.begin(), text.end(), u'\n')); }

}  // namespace

CarouselTextLayout LayOutTextItem(const AnimatedWndTextItem& item) {
    const int a = LineFeeds(item.lines[0]);
    const int b = LineFeeds(item.lines[1]);
    const int c = LineFeeds(item.lines[2]);
    CarouselTextLayout layout{};
    layout.title = {134, 290};
    layout.lines = {{{160, 323}, {160, 348}, {160, 373}, {170, 398}}};
    layout.bullets = {{{139, 327}, {139, 353 + kRow * a}, {139, 378 + kRow * (a + b)}}};
    layout.hasMarker = !item.lines[3].empty();
    layout.marker = {159, 398 + kRow * (a + b) + (kRow * c) / 2};
    return layout;
}

}  // namespace Controls
