#include "controls/CarouselStep.h"

#include "controls/CarouselGeometry.h"

namespace Controls {

CarouselStep::TickResult CarouselStep::Tick(std::uint32_t now) {
    TickResult result{false, false};
    if (start_ == 0) {
        // 0 means idle, so a step that begins at tick count 0 starts at 1.
        start_ = now != 0 ? now : 1;
        result.began = true;
    }
    if (!result.began && now - start_ > kDurationMs) {
        start_ = 0;
        rotation_ = (rotation_ + 1) % kCarouselImageCount;
        result.ended = true;
    }
    return result;
}

double CarouselStep::Progress(std::uint32_t now) const { return StepProgress(now, start_, kDurationMs); }

}  // namespace Controls
