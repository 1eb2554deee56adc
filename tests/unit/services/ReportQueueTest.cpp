#include "services/ReportQueue.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Long enough that a report that is free to run always finishes within it.
constexpr auto kPlenty = 60s;

// What the reports did, in the order they did it; shared with reports that
// may outlive the test's queue.
struct Journal {
    std::mutex lock;
    std::vector<std::string> entries;
    std::vector<std::thread::id> threads;

    void Add(std::string entry) {
        std::lock_guard<std::mutex> guard(lock);
        entries.push_back(std::move(entry));
        threads.push_back(std::this_thread::get_id());
    }
    std::vector<std::string> Entries() {
        std::lock_guard<std::mutex> guard(lock);
        return entries;
    }
};

// A report that blocks on the network until the test lets it go.
struct Gate {
    std::promise<void> opened;
    std::shared_future<void> open = opened.get_future().share();
    std::promise<void> reached;

    ReportQueue::Report Blocking(std::shared_ptr<Journal> journal) {
        return [this, journal, open = open] {
            reached.set_value();
            open.wait();
            journal->Add("blocked");
        };
    }
};

ReportQueue::Report Entry(const std::shared_ptr<Journal>& journal, std::string entry) {
    return [journal, entry] { journal->Add(entry); };
}

TEST(ReportQueue, RunsTheReportsInTheirOrderOnOneWorkerThread) {
    auto journal = std::make_shared<Journal>();
    ReportQueue queue(kPlenty);
    for (const char* name : {"StartInstallation", "SaveUserInstallation", "CancelInstallation"})
        EXPECT_TRUE(queue.Post(Entry(journal, name)));
    queue.Post([] { throw std::runtime_error("a report that fails"); });
    queue.Post(Entry(journal, "after the failure"));
    ASSERT_TRUE(queue.WaitUntilDone(kPlenty));

    EXPECT_EQ(journal->Entries(), (std::vector<std::string>{"StartInstallation", "SaveUserInstallation",
                                                           "CancelInstallation", "after the failure"}));
    for (const auto& thread : journal->threads) {
        EXPECT_EQ(thread, journal->threads.front());
        EXPECT_NE(thread, std::this_thread::get_id());
    }
}

TEST(ReportQueue, ABlockedReportHoldsUpOnlyTheReportsAfterIt) {
    auto journal = std::make_shared<Journal>();
    Gate gate;
    ReportQueue queue(kPlenty);
    queue.Post(gate.Blocking(journal));
    EXPECT_TRUE(queue.Post(Entry(journal, "next")));  // handed over, not made: the caller goes on
    gate.reached.get_future().wait();

    EXPECT_FALSE(queue.WaitUntilDone(10ms));
    EXPECT_TRUE(journal->Entries().empty());

    gate.opened.set_value();
    ASSERT_TRUE(queue.WaitUntilDone(kPlenty));
    EXPECT_EQ(journal->Entries(), (std::vector<std::string>{"blocked", "next"}));
}

TEST(ReportQueue, ClosingWaitsOnlyItsBoundAndDropsWhatHasNotStarted) {
    auto journal = std::make_shared<Journal>();
    Gate gate;
    {
        ReportQueue queue(kPlenty);
        queue.Post(gate.Blocking(journal));
        queue.Post(Entry(journal, "never started"));
        gate.reached.get_future().wait();

        // The blocked report is let go only after Close has returned, so
        // Close cannot have waited for it.
        EXPECT_FALSE(queue.Close(50ms));
        EXPECT_FALSE(queue.Post(Entry(journal, "after closing")));
        EXPECT_FALSE(queue.Close(kPlenty));  // only the first close waits
        // Nor does the queue's end wait for the blocked report.
    }
    gate.opened.set_value();
    // The abandoned worker finishes its report with what it shares and ends.
    for (int i = 0; i < 6000 && journal->Entries().empty(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(journal->Entries(), std::vector<std::string>{"blocked"});
}

TEST(ReportQueue, TheEndOfAnOpenQueueLetsTheReportsUnderWayFinish) {
    auto journal = std::make_shared<Journal>();
    {
        ReportQueue queue(kPlenty);
        queue.Post(Entry(journal, "first"));
        queue.Post(Entry(journal, "second"));
    }
    EXPECT_EQ(journal->Entries(), (std::vector<std::string>{"first", "second"}));

    ReportQueue closed(kPlenty);
    EXPECT_TRUE(closed.Close(0ms));  // nothing handed in: nothing to wait for, no thread made
    EXPECT_FALSE(closed.Post(Entry(journal, "late")));
}

}  // namespace
