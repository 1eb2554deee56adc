#include "services/ReportQueue.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>

struct ReportQueue::State {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Report> waiting;
    bool running = false;  // a report is being made
    bool closed = false;
    bool withoutWorker = false;  // no thread could be had: reports run on their callers

    bool Idle() const { return waiting.empty() && !running; }

    void Work() {
        for (;;) {
            Report report;
            {
                std::unique_lock<std::mutex> guard(lock);
                changed.wait(guard, [this] { return closed || !waiting.empty(); });
                if (waiting.empty()) return;  // closed, and nothing left to make
                report = std::move(waiting.front());
                waiting.pop_front();
                running = true;
            }
            RunGuarded(report);
            report = nullptr;  // what it holds goes before anyone hears it is done
            {
                std::lock_guard<std::mutex> guard(lock);
                running = false;
            }
            changed.notify_all();
        }
    }

    static void RunGuarded(const Report& report) {
        try {
            report();
        } catch (...) {
            // A report is best effort: its failure must not cost the ones after it.
        }
    }
};

ReportQueue::ReportQueue(std::chrono::milliseconds closingBound)
    : closingBound_(closingBound), state_(std::make_shared<State>()) {}

ReportQueue::~ReportQueue() {
    const bool finished = Close(closingBound_);
    if (!worker_.joinable()) return;
    // A report still on the network keeps only the state it shares with the
    // worker; the thread ends with it, or with the process.
    if (finished) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

bool ReportQueue::Post(Report report) {
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        if (state_->closed) return false;
        if (!worker_.joinable() && !state_->withoutWorker) {
            try {
                worker_ = std::thread([state = state_] { state->Work(); });
            } catch (const std::exception&) {  // no thread to be had
                state_->withoutWorker = true;
            }
        }
        if (!state_->withoutWorker) {
            state_->waiting.push_back(std::move(report));
            state_->changed.notify_all();
            return true;
        }
    }
    State::RunGuarded(report);
    return true;
}

bool ReportQueue::WaitUntilDone(std::chrono::milliseconds bound) {
    std::unique_lock<std::mutex> guard(state_->lock);
    return state_->changed.wait_for(guard, bound, [this] { return state_->Idle(); });
}

bool ReportQueue::Close(std::chrono::milliseconds bound) {
    std::unique_lock<std::mutex> guard(state_->lock);
    if (state_->closed) return state_->Idle();
    state_->closed = true;
    state_->changed.notify_all();
    const bool done = state_->changed.wait_for(guard, bound, [this] { return state_->Idle(); });
    state_->waiting.clear();  // too late for them: the worker ends after the one it makes
    return done;
}
