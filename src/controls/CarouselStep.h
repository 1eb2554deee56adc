// The timing of the carousel's steps: a step begins at the first 40 ms tick
// after the owner starts the step timer, lasts 3 seconds, and always ends with
// every image one slot further on.
#pragma once

#include <cstdint>

namespace Controls {

class CarouselStep {
public:
    static constexpr std::uint32_t kDurationMs = 3000;
    static constexpr unsigned kTickMs = 40;

    struct TickResult {
        bool began;  // this tick started a step: advance the banner and the text
        bool ended;  // the step is over: stop the timer
    };

    // One tick at tick count `now`. A step that runs is not restarted, so
    // starting the timer again mid-step only continues it.
    TickResult Tick(std::uint32_t now);

    // 0 to 1 while a step runs, 0 when idle.
    double Progress(std::uint32_t now) const;
    bool IsStepping() const { return start_ != 0; }
    int Rotation() const { return rotation_; }

private:
    std::uint32_t start_ = 0;  // 0 while idle
    int rotation_ = 0;
};

}  // namespace Controls
