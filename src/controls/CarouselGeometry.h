// Where the carousel of the download page puts its seven product boxes: each
// image rests in a slot on an arc and, during one step, travels towards the
// next slot, growing towards the centre and shrinking towards the ends. The
// arc parameter runs from 0 (left end) through 1 (centre) to 2 (right end);
// positions are pixels of the 788 by 439 carousel window.
#pragma once

#include <array>
#include <cstdint>

namespace Controls {

constexpr int kCarouselImageCount = 7;
// The slot that sits in the centre of the arc, at rest at parameter 1.
constexpr int kCentreSlot = 3;

// The pictures of one carousel image and where its glow sits relative to the
// box when the box rests in the centre.
struct CarouselImage {
    int box;
    int glow;
    float glowX;
    float glowY;
};
// By image index 0 to 6.
extern const std::array<CarouselImage, kCarouselImageCount> kCarouselImages;

// The slot image `imageIndex` rests in after `rotation` steps.
int CarouselSlot(int imageIndex, int rotation);

// The arc parameter of a box in `slot` when the running step has made
// `progress` (0 to 1) of its way. The box of the last slot leaves at the
// right end half-way through and comes back in at the left end.
double CarouselPosition(int slot, double progress);

// The box drawn at arc parameter `position`: its top-left corner, the factor
// its natural size is scaled by, and whether its glow shows (only when it
// rests exactly in the centre).
struct BoxPlacement {
    double x;
    double y;
    double scale;
    bool glows;
};
BoxPlacement PlaceBox(double position);

// The share of a step of `durationMs` that has passed at tick count `now`
// when it began at `start`, 0 to 1; 0 when no step runs (start 0). Tick
// counts wrap after 49.7 days; the difference stays right across the wrap.
double StepProgress(std::uint32_t now, std::uint32_t start, std::uint32_t durationMs);

// The title strip of the carousel for the interface language at
// `languageIndex` in the wizard's order (English, French, German, Spanish,
// Italian, Japanese); 0 (no strip) for an index outside that list.
int CarouselTitleImage(int languageIndex);

}  // namespace Controls
