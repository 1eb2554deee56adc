// A stand-in for automatic proxy detection (WPAD) that answers only when the
// test lets it, or after a bound, the way detection takes seconds on a
// network without a script. The resolver may ask it on a thread that
// outlives the test, so its state is shared with every lookup it hands out.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

#include "download/ProxyResolver.h"

namespace DownloadTestSupport {

class HeldDetection {
public:
    explicit HeldDetection(std::optional<Download::ProxyRoute> answer,
                           std::chrono::milliseconds bound = std::chrono::seconds(30))
        : state_(std::make_shared<State>()) {
        state_->answer = std::move(answer);
        state_->bound = bound;
    }
    ~HeldDetection() { Release(); }
    HeldDetection(const HeldDetection&) = delete;
    HeldDetection& operator=(const HeldDetection&) = delete;

    Download::ProxyResolver::AutomaticLookup Lookup() const {
        return [state = state_](const Download::ProxySettings&, const std::string&) {
            std::unique_lock<std::mutex> lock(state->mutex);
            ++state->asks;
            state->changed.wait_for(lock, state->bound, [&] { return state->released; });
            state->answered = true;
            return state->answer;
        };
    }

    // Lets every lookup answer now.
    void Release() {
        {
            std::lock_guard<std::mutex> lock(state_->mutex);
            state_->released = true;
        }
        state_->changed.notify_all();
    }

    bool Answered() const {
        std::lock_guard<std::mutex> lock(state_->mutex);
        return state_->answered;
    }
    int Asks() const {
        std::lock_guard<std::mutex> lock(state_->mutex);
        return state_->asks;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool released = false;
        bool answered = false;
        int asks = 0;
        std::optional<Download::ProxyRoute> answer;
        std::chrono::milliseconds bound{0};
    };
    std::shared_ptr<State> state_;
};

}  // namespace DownloadTestSupport
