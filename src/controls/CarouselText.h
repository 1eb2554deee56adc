// The feature texts of the carousel: a title and up to four lines, and where
// their parts go in the 788 by 439 carousel window. Lines may hold line feeds;
// every line feed pushes the bullets below it down by one 15-pixel row.
#pragma once

#include <array>
#include <string>

namespace Controls {

struct AnimatedWndTextItem {
    std::u16string title;
    std::array<std::u16string, 4> lines;
};

struct TextPoint {
    int x;
    int y;
    bool operator==(const TextPoint& other) const { return x == other.x && y == other.y; }
};

struct CarouselTextLayout {
    TextPoint title;
    std::array<TextPoint, 4> lines;
    // In front of lines 1 to 3.
    std::array<TextPoint, 3> bullets;
    // In front of line 4, only when it has text.
    bool hasMarker;
    TextPoint marker;
};

CarouselTextLayout LayOutTextItem(const AnimatedWndTextItem& item);

}  // namespace Controls
