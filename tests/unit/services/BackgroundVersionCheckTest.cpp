#include "services/BackgroundVersionCheck.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
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

// What a question's thread and its test share: the thread gets only copies
// of the pointer, inside the sources and the callback, so it never touches
// the test's frame even when it outlives the check, and the test sees its
// end when only the expected holders are left.
struct Shared {
    Gate gate;
    std::atomic<int> asked{0};
    std::atomic<int> wakeUps{0};
};

// Waits until `holders` pointers to `shared` are left (the test's, and the
// callback a live check keeps): the question's thread has let go of its copies.
bool ThreadIsOver(const std::shared_ptr<Shared>& shared, long holders) {
    for (int i = 0; i < 10000 && shared.use_count() > holders; ++i) std::this_thread::sleep_for(1ms);
    return shared.use_count() == holders;
}

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
        auto shared = std::make_shared<Shared>();
        {
            BackgroundVersionCheck check(c.configured, {},
                                         {[shared, service = c.service] { ++shared->asked; return service; },
                                          [shared, installed = c.installed] { return installed; }});
            const VersionAnswer answer = SettledAnswer(check);
            EXPECT_EQ(answer.comparison, c.comparison);
            EXPECT_EQ(answer.offered, c.offered);
        }
        ASSERT_TRUE(ThreadIsOver(shared, 1));
        EXPECT_EQ(shared->asked.load(), c.asksService ? 1 : 0);
    }
}

TEST(BackgroundVersionCheck, ASlowServiceIsGivenUpAfterTheBoundAndItsLateAnswerChangesNothing) {
    auto shared = std::make_shared<Shared>();
    BackgroundVersionCheck check(u"", {},
                                 {[shared] { shared->gate.Wait(); return VersionRecord{4, 0, 0, 0}; },
                                  [] { return kInstalled; }},
                                 [shared] { ++shared->wakeUps; });
    // The installed version is known: the owner is woken, the service is being asked.
    for (int i = 0; i < 2000 && shared->wakeUps == 0; ++i) std::this_thread::sleep_for(5ms);
    ASSERT_EQ(shared->wakeUps.load(), 1);
    EXPECT_FALSE(check.AnswerWithin(kBound));
    const auto answer = check.AnswerWithin(kBound, Clock::now() + kBound);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->comparison, VersionComparison::NewerInstalled);  // as with a failed service
    EXPECT_TRUE(answer->offered.IsNone());

    shared->gate.Open();
    ASSERT_TRUE(ThreadIsOver(shared, 2));  // the check still keeps its callback
    EXPECT_EQ(check.AnswerWithin(kBound)->comparison, VersionComparison::NewerInstalled);
    EXPECT_EQ(shared->wakeUps.load(), 1);
}

TEST(BackgroundVersionCheck, TheInstalledProductIsWaitedForWhateverTheBound) {
    auto shared = std::make_shared<Shared>();
    BackgroundVersionCheck check(u"", {},
                                 {[] { return VersionRecord{}; }, [shared] { shared->gate.Wait(); return kInstalled; }});
    EXPECT_FALSE(check.AnswerWithin(kBound, Clock::now() + 1h));
    shared->gate.Open();
    check.WaitForInstalledVersion();
    EXPECT_EQ(SettledAnswer(check).comparison, VersionComparison::NewerInstalled);
}

TEST(BackgroundVersionCheck, AnOwnerThatIsGoneIsNotWoken) {
    auto shared = std::make_shared<Shared>();
    {
        BackgroundVersionCheck check(
            u"", {}, {{}, [shared] { shared->gate.Wait(); return std::optional<VersionRecord>{}; }},
            [shared] { ++shared->wakeUps; });
    }
    shared->gate.Open();
    ASSERT_TRUE(ThreadIsOver(shared, 1));
    EXPECT_EQ(shared->wakeUps.load(), 0);
}

}  // namespace
