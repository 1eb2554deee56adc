#include "common/AwaitedValue.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(AwaitedValueTest, WaitersOnOtherThreadsGetTheFirstValueSet) {
    Common::AwaitedValue<std::string> value;
    EXPECT_FALSE(value.WaitFor(0ms));
    std::vector<std::string> seen(3);
    std::vector<std::thread> waiters;
    for (auto& slot : seen) waiters.emplace_back([&] { slot = value.Get(); });
    std::thread setters[] = {std::thread([&] { value.Set("one"); }), std::thread([&] { value.Set("two"); })};
    for (auto& setter : setters) setter.join();
    for (auto& waiter : waiters) waiter.join();
    value.Set("later");
    const std::string kept = value.Get();
    EXPECT_TRUE(kept == "one" || kept == "two") << kept;
    for (const auto& text : seen) EXPECT_EQ(text, kept);
    EXPECT_TRUE(value.WaitFor(0ms));
}

}  // namespace
