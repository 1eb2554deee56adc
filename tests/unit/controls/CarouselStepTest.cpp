#include "controls/CarouselStep.h"

#include <gtest/gtest.h>

namespace {

using namespace Controls;

TEST(CarouselStep, AStepBeginsAtItsFirstTickAndEndsAfterThreeSecondsOneSlotOn) {
    CarouselStep step;
    EXPECT_FALSE(step.IsStepping());
    EXPECT_DOUBLE_EQ(step.Progress(1234), 0);

    CarouselStep::TickResult tick = step.Tick(5000);
    EXPECT_TRUE(tick.began);
    EXPECT_FALSE(tick.ended);
    EXPECT_DOUBLE_EQ(step.Progress(6500), 0.5);

    tick = step.Tick(6500);  // a restart mid-step does not take a new start
    EXPECT_FALSE(tick.began);
    EXPECT_DOUBLE_EQ(step.Progress(6500), 0.5);

    EXPECT_FALSE(step.Tick(8000).ended) << "exactly the duration is not over yet";
    EXPECT_EQ(step.Rotation(), 0);
    tick = step.Tick(8001);
    EXPECT_TRUE(tick.ended);
    EXPECT_FALSE(step.IsStepping());
    EXPECT_EQ(step.Rotation(), 1);
    EXPECT_DOUBLE_EQ(step.Progress(8001), 0) << "idle boxes rest in their slots";
}

TEST(CarouselStep, RotationWrapsAfterSevenStepsAndTickCountZeroStillStarts) {
    CarouselStep step;
    for (int n = 1; n <= 8; ++n) {
        const std::uint32_t begin = n == 1 ? 0 : 10000u * n;
        EXPECT_TRUE(step.Tick(begin).began);
        EXPECT_TRUE(step.IsStepping()) << n;
        // A start at tick count 0 counts from 1.
        EXPECT_TRUE(step.Tick(begin + CarouselStep::kDurationMs + 2).ended);
        EXPECT_EQ(step.Rotation(), n % 7);
    }
}

}  // namespace
