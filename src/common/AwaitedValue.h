// A value one thread sets once and others wait for, with a bound: the part of
// std::promise and std::shared_future this program uses. The runtime's
// futures report their own misuse with an exception type that brings the
// runtime's exception strings, some 90 KB of the installer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace Common {

template <typename T>
class AwaitedValue {
public:
    // The first value set stays; later ones are ignored.
    void Set(T value) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (value_) return;
            value_.emplace(std::move(value));
        }
        set_.notify_all();
    }

    // Whether the value is there within `bound`.
    bool WaitFor(std::chrono::milliseconds bound) const {
        std::unique_lock<std::mutex> lock(mutex_);
        return set_.wait_for(lock, bound, [this] { return value_.has_value(); });
    }

    // The value, once set; it never changes afterwards.
    const T& Get() const {
        std::unique_lock<std::mutex> lock(mutex_);
        set_.wait(lock, [this] { return value_.has_value(); });
        return *value_;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable set_;
    std::optional<T> value_;
};

}  // namespace Common
