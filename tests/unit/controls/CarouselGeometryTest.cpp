#include "controls/CarouselGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "language/LanguageId.h"

namespace {

using namespace Controls;

TEST(CarouselGeometry, BoxesFollowTheArcAndGrowTowardsTheCentre) {
    struct Case {
        double position, x, y, scale;
        bool glows;
    } cases[] = {
        {0.0, 40, 153, 0, false},          // left end
        {0.35, 156.2, 144.67, 0.1225, false},
        {0.5, 200, 136, 0.25, false},
        {0.999, 319.80, 85.136, 0.998, false},
        {1.0, 320, 85, 1, true},           // resting in the centre: the only glowing place
        {1.001, 320.52, 85.136, 0.998, false},
        {1.35, 492.2, 124.27, 0.4225, false},
        {1.5, 560, 136, 0.25, false},
        {2.0, 760, 153, 0, false},         // right end
    };
    for (const Case& c : cases) {
        const BoxPlacement box = PlaceBox(c.position);
        EXPECT_NEAR(box.x, c.x, 0.01) << c.position;
        EXPECT_NEAR(box.y, c.y, 0.01) << c.position;
        EXPECT_NEAR(box.scale, c.scale, 0.001) << c.position;
        EXPECT_EQ(box.glows, c.glows) << c.position;
    }
}

TEST(CarouselGeometry, EachSlotTravelsToTheRestOfTheNextAndTheLastWrapsRound) {
    struct Case {
        int slot;
        double progress, position;
    } cases[] = {
        {0, 0, 0.35},   {3, 0, 1.0},     {6, 0, 1.65},   {0, 0.5, 0.41},  {3, 0.5, 1.175},
        {6, 0.5, 1.825},                   // still leaving at the right
        {6, 0.51, 0.1785},                 // back in at the left
        {6, 1, 0.35},   {-1, 0.5, 0},    {7, 0.5, 0},    // no such slot
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CarouselPosition(c.slot, c.progress), c.position, 1e-9) << c.slot << " " << c.progress;
    for (int slot = 0; slot < kCarouselImageCount; ++slot)
        EXPECT_NEAR(CarouselPosition(slot, 1), CarouselPosition((slot + 1) % kCarouselImageCount, 0), 1e-9) << slot;
    // The box that ends a step in the centre rests there exactly, so it glows.
    EXPECT_TRUE(PlaceBox(CarouselPosition(kCentreSlot - 1, 1)).glows);
}

TEST(CarouselGeometry, EveryRotationPutsOneImageInEachSlot) {
    for (int rotation = 0; rotation < 2 * kCarouselImageCount; ++rotation) {
        int seen = 0;
        for (int image = 0; image < kCarouselImageCount; ++image) seen |= 1 << CarouselSlot(image, rotation);
        EXPECT_EQ(seen, 0x7F) << rotation;
    }
    EXPECT_EQ(CarouselSlot(3, 0), kCentreSlot);  // image 3, box 1182, starts in the centre
    EXPECT_EQ(CarouselSlot(2, 1), kCentreSlot);
    EXPECT_EQ(CarouselSlot(6, 4), kCentreSlot);
    EXPECT_EQ(CarouselSlot(0, -1), 6);
}

TEST(CarouselGeometry, StepProgressRunsFromZeroToOneAcrossTheTickCountWrap) {
    struct Case {
        std::uint32_t now, start, duration;
        double progress;
    } cases[] = {
        {5000, 0, 3000, 0},  // idle
        {5000, 5000, 3000, 0},
        {6500, 5000, 3000, 0.5},
        {8000, 5000, 3000, 1},
        {9000, 5000, 3000, 1},  // painted after the end, before the tick that ends it
        {0x00000100u, 0xFFFFFF00u, 3000, 512.0 / 3000},
        {6500, 5000, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(StepProgress(c.now, c.start, c.duration), c.progress, 1e-12) << c.now << " " << c.start;
}

// Each language has a title strip of its own (the carousel test shows each
// one drawn); outside the languages there is none.
TEST(CarouselGeometry, EachLanguageHasATitleStripOfItsOwn) {
    std::set<int> strips;
    for (LanguageId language = 0; language < Language::Count; ++language) {
        EXPECT_NE(CarouselTitleImage(language), 0) << language;
        EXPECT_TRUE(strips.insert(CarouselTitleImage(language)).second) << "a strip shared by " << language;
    }
    EXPECT_EQ(CarouselTitleImage(Language::Count), 0);
    EXPECT_EQ(CarouselTitleImage(-1), 0);
}

}  // namespace
