// Runs reports one after another, in the order they were handed in, on one
// worker thread of its own, so that a report waiting on a silent network
// holds up neither the thread that made it nor the window that thread serves.
// Leaving waits for the reports still under way for a bounded time only;
// whatever has not finished by then is abandoned with the process.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

class ReportQueue {
public:
    using Report = std::function<void()>;

    // `closingBound`: how long the destructor waits for the reports under
    // way when nobody closed the queue before.
    explicit ReportQueue(std::chrono::milliseconds closingBound);
    ~ReportQueue();
    ReportQueue(const ReportQueue&) = delete;
    ReportQueue& operator=(const ReportQueue&) = delete;

    // Hands a report to the worker, which starts with the first one. A
    // report that raises ends only itself. False once the queue is closed:
    // the report is dropped. Without a thread to be had the report runs at
    // once on the calling thread.
    bool Post(Report report);

    // Waits at most `bound` until every report handed in so far has run;
    // true when they all have.
    bool WaitUntilDone(std::chrono::milliseconds bound);

    // Takes no more reports and waits at most `bound` for those handed in;
    // the ones that have not started by then never run. True when nothing
    // is left running. Only the first close waits.
    bool Close(std::chrono::milliseconds bound);

private:
    struct State;  // shared with the worker, which may outlive the queue

    std::chrono::milliseconds closingBound_;
    std::shared_ptr<State> state_;
    std::thread worker_;
};
