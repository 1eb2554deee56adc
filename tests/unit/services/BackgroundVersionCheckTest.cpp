#include "services/BackgroundVersionCheck.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = BackgroundVersionCheck::Clock;

constexpr VersionRecord kInstalled{3, 0, 0, 0};
constexpr auto kBound = 1500ms;

// A switch the test throws to let a held source go on.
class Gate {
public:
    void Open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

// The answer once the question's thread has given one (the bound far away).
VersionAnswer SettledAnswer(BackgroundVersionCheck& check) {
    for (int i = 0; i < 2000; ++i) {
        if (auto answer = check.AnswerWithin(kBound, Clock::now() - 1h)) return *answer;
        std::this_thread::sleep_for(5ms);
    }
    ADD_FAILURE() << "no answer within 10 s";
    return {};
}

TEST(BackgroundVersionCheck, AnswersAsTheComparisonDoesAndAsksTheServiceOnlyWhenItMust) {
    const struct {
        const char* name;
        std::optional<VersionRecord> installed;
        std::u16string configured;
        VersionRecord service;
        VersionComparison comparison;
        VersionRecord offered;
        bool asksService;
    } cases[] = {
        {"nothing installed", std::nullopt, u"", {4, 0, 0, 0}, VersionComparison::NotInstalledOrOlder, {}, false},
        {"configured version, same installed", kInstalled, u"3.0.0.0", {9, 0, 0, 0},
         VersionComparison::SameInstalled, kInstalled, false},
        {"service offers a newer one", kInstalled, u"", {4, 0, 0, 0}, VersionComparison::NotInstalledOrOlder,
         {4, 0, 0, 0}, true},
        {"service fails", kInstalled, u"", {}, VersionComparison::NewerInstalled, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<int> asked{0};
        BackgroundVersionCheck check(c.configured, {},
                                     {[&] { ++asked; return c.service; }, [&] { return c.installed; }});
        const VersionAnswer answer = SettledAnswer(check);
        EXPECT_EQ(answer.comparison, c.comparison);
        EXPECT_EQ(answer.offered, c.offered);
        EXPECT_EQ(asked.load(), c.asksService ? 1 : 0);
    }
}

TEST(BackgroundVersionCheck, ASlowServiceIsGivenUpAfterTheBoundAndItsLateAnswerChangesNothing) {
    Gate serviceAnswers;
    std::atomic<int> wakeUps{0};
    BackgroundVersionCheck check(u"", {},
                                 {[&] { serviceAnswers.Wait(); return VersionRecord{4, 0, 0, 0}; },
                                  [] { return kInstalled; }},
                                 [&] { ++wakeUps; });
    // The installed version is known: the owner is woken, the service is being asked.
    for (int i = 0; i < 2000 && wakeUps == 0; ++i) std::this_thread::sleep_for(5ms);
    ASSERT_EQ(wakeUps.load(), 1);
    EXPECT_FALSE(check.AnswerWithin(kBound));
    const auto answer = check.AnswerWithin(kBound, Clock::now() + kBound);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->comparison, VersionComparison::NewerInstalled);  // as with a failed service
    EXPECT_TRUE(answer->offered.IsNone());

    serviceAnswers.Open();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(check.AnswerWithin(kBound)->comparison, VersionComparison::NewerInstalled);
}

TEST(BackgroundVersionCheck, TheInstalledProductIsWaitedForWhateverTheBound) {
    Gate queryAnswers;
    BackgroundVersionCheck check(u"", {}, {[] { return VersionRecord{}; }, [&] { queryAnswers.Wait(); return kInstalled; }});
    EXPECT_FALSE(check.AnswerWithin(kBound, Clock::now() + 1h));
    queryAnswers.Open();
    check.WaitForInstalledVersion();
    EXPECT_EQ(SettledAnswer(check).comparison, VersionComparison::NewerInstalled);
}

TEST(BackgroundVersionCheck, AnOwnerThatIsGoneIsNotWoken) {
    Gate queryAnswers;
    std::atomic<int> wakeUps{0};
    {
        BackgroundVersionCheck check(u"", {}, {{}, [&] { queryAnswers.Wait(); return std::optional<VersionRecord>{}; }},
                                     [&] { ++wakeUps; });
    }
    queryAnswers.Open();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(wakeUps.load(), 0);
}

}  // namespace
