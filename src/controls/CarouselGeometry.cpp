#include "controls/CarouselGeometry.h"

#include "SkinImageIds.h"

namespace Controls {

namespace {

// Resting parameter of each slot, and how far a box in that slot travels in
// one step (the next slot's rest minus its own; the last slot wraps round).
constexpr std::array<double, kCarouselImageCount> kSlotPositions{0.35, 0.47, 0.65, 1.0, 1.35, 1.53, 1.65};
constexpr std::array<double, kCarouselImageCount> kSlotSteps{0.12, 0.18, 0.35, 0.35, 0.18, 0.12, 0.35};
constexpr int kLastSlot = kCarouselImageCount - 1;

// By language index in the wizard's order.
constexpr std::array<int, 6> kTitleImages{IDPNG_CAROUSEL_TITLE_EN, IDPNG_CAROUSEL_TITLE_FR, IDPNG_CAROUSEL_TITLE_DE,
                                          IDPNG_CAROUSEL_TITLE_ES, IDPNG_CAROUSEL_TITLE_IT, IDPNG_CAROUSEL_TITLE_JA};

}  // namespace

const std::array<CarouselImage, kCarouselImageCount> kCarouselImages{{
    {IDPNG_BOX_FORMS, IDPNG_GLOW_FORMS, 10, -20},
    {IDPNG_BOX_READ, IDPNG_GLOW_READ, -5, -15},
    {IDPNG_BOX_EDIT, IDPNG_GLOW_EDIT, 10, -10},
    {IDPNG_BOX_CONVERT, IDPNG_GLOW_CONVERT, 0, -20},
    {IDPNG_BOX_TOOLS, IDPNG_GLOW_TOOLS, 0, -20},
    {IDPNG_BOX_SECURE, IDPNG_GLOW_SECURE, 0, -20},
    {IDPNG_BOX_REVIEW, IDPNG_GLOW_REVIEW, 10, -10},
}};

int CarouselSlot(int imageIndex, int rotation) {
    const int slot = (imageIndex + rotation) % kCarouselImageCount;
    return slot < 0 ? slot + kCarouselImageCount : slot;
}

double CarouselPosition(int slot, double progress) {
    if (slot < 0 || slot >= kCarouselImageCount) return 0;
    if (slot == kLastSlot && progress > 0.5) return progress * kSlotSteps[kLastSlot];
    return kSlotPositions[slot] + progress * kSlotSteps[slot];
}

BoxPlacement PlaceBox(double position) {
    // w rises from 0 at either end to 1 in the centre; the arc is a parabola
    // in w from (40, 153) up to (320, 85) and down to (760, 153).
    const double w = position < 1 ? position : 2 - position;
    const double squared = position * position;
    const double scale = squared > 1 ? (2 - position) * (2 - position) : squared;
    return {360 * position - 80 * w * w + 40, 153 - 68 * w * w, scale, scale == 1.0};
}

double StepProgress(std::uint32_t now, std::uint32_t start, std::uint32_t durationMs) {
    if (start == 0 || durationMs == 0) return 0;
    const double progress = static_cast<double>(now - start) / durationMs;
    // A paint may come between the end of the step and the tick that ends it.
    return progress > 1 ? 1 : progress;
}

int CarouselTitleImage(int languageIndex) {
    const bool known = languageIndex >= 0 && languageIndex < static_cast<int>(kTitleImages.size());
    return known ? kTitleImages[languageIndex] : 0;
}

}  // namespace Controls
