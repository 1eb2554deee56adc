// The timer registry by id: the same in both builds (the host build has no
// platform timers, so only registration and dispatch are exercised here).
#include "framework/TimerService.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Framework::Timer;
using Framework::TimerService;

class RecordingHandler : public Framework::TimerEventHandler {
public:
    std::vector<int> fired;
    void OnTimer(Timer& timer) override { fired.push_back(timer.Id()); }
};

TEST(TimerService, IdsStartAtOneAndAreNeverReused) {
    TimerService service;
    RecordingHandler handler;
    auto first = std::make_unique<Timer>(handler, nullptr, service);
    Timer second(handler, nullptr, service);
    EXPECT_EQ(first->Id(), 1);
    EXPECT_EQ(second.Id(), 2);
    first.reset();  // unregisters id 1
    Timer third(handler, nullptr, service);
    EXPECT_EQ(third.Id(), 3);
}

TEST(TimerService, DispatchReachesTheRegisteredHandlerOnly) {
    TimerService service;
    RecordingHandler one, two;
    Timer timerOne(one, nullptr, service);
    Timer timerTwo(two, nullptr, service);
    EXPECT_TRUE(service.Dispatch(timerTwo.Id()));
    EXPECT_FALSE(service.Dispatch(99)) << "unknown ids are ignored";
    service.Unregister(timerOne.Id());
    EXPECT_FALSE(service.Dispatch(timerOne.Id())) << "unregistered ids are ignored";
    EXPECT_TRUE(one.fired.empty());
    EXPECT_EQ(two.fired, std::vector<int>{timerTwo.Id()});
}

TEST(TimerService, StopOnlyMattersWhileRunning) {
    TimerService service;
    RecordingHandler handler;
    Timer timer(handler, nullptr, service);
    EXPECT_FALSE(timer.IsRunning());
    timer.Stop();
    timer.Start(40);
    EXPECT_TRUE(timer.IsRunning());
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
}

}  // namespace
