#include "controls/BannerCrossFade.h"

#include <gtest/gtest.h>

#include "controls/RingPosition.h"

namespace {

using namespace Controls;

TEST(BannerCrossFade, ChoosesTheBannerAndItsTransparencyByFade) {
    struct Case {
        int fade;
        bool hasCurrent, hasPrevious;
        BannerChoice::Which which;
        int transparency;
    } cases[] = {
        {0, true, true, BannerChoice::Current, 0},       {52, true, true, BannerChoice::Current, 52},
        {100, true, true, BannerChoice::Current, 100},   {101, true, true, BannerChoice::Previous, 99},
        {196, true, true, BannerChoice::Previous, 4},    {200, true, true, BannerChoice::Previous, 0},
        {150, true, false, BannerChoice::None, 0},       {50, false, true, BannerChoice::None, 0},
    };
    for (const Case& c : cases) {
        const BannerChoice choice = ChooseBanner(c.fade, c.hasCurrent, c.hasPrevious);
        EXPECT_EQ(choice.which, c.which) << c.fade;
        if (c.which != BannerChoice::None) {
            EXPECT_EQ(choice.transparency, c.transparency) << c.fade;
        }
    }
}

TEST(BannerCrossFade, RingWrapsAndTheFadeRunsDownToZero) {
    BannerCrossFade empty;
    empty.Advance();
    EXPECT_EQ(empty.ToDraw().index, -1) << "a board without banners draws none";

    BannerCrossFade single;
    single.ItemAdded();
    single.Advance();
    EXPECT_EQ(single.Previous(), 0);
    EXPECT_EQ(single.Current(), 0);
    for (int tick = 0; tick < 25; ++tick) single.LowerFade();
    EXPECT_EQ(single.Fade(), 100);
    EXPECT_EQ(single.ToDraw().transparency, 100) << "fades out and back in";

    BannerCrossFade ring;
    for (int i = 0; i < 7; ++i) ring.ItemAdded();
    EXPECT_EQ(ring.Current(), 0);
    EXPECT_EQ(ring.ToDraw().index, 0);
    EXPECT_EQ(ring.ToDraw().transparency, 0) << "idle: fully shown";
    for (int step = 1; step <= 7; ++step) ring.Advance();
    EXPECT_EQ(ring.Previous(), 6);
    EXPECT_EQ(ring.Current(), 0);
    // 76 ticks of a 3-second step: the fade stops at 0 after 50.
    int ticks = 0;
    for (; ticks < 76; ++ticks) ring.LowerFade();
    EXPECT_EQ(ring.Fade(), 0);
    ring.Advance();
    ring.LowerFade();
    ring.EndFade();
    EXPECT_EQ(ring.ToDraw().index, 1);
    EXPECT_EQ(ring.ToDraw().transparency, 0);
}

TEST(RingPosition, NextWrapsAndAnEmptyRingHasNone) {
    EXPECT_EQ(NextInRing(0, 7), 1);
    EXPECT_EQ(NextInRing(6, 7), 0);
    EXPECT_EQ(NextInRing(-1, 7), 0);
    EXPECT_EQ(NextInRing(0, 1), 0);
    EXPECT_EQ(NextInRing(-1, 0), -1);
}

}  // namespace
