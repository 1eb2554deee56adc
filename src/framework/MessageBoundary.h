// Exceptions must not cross the operating system's frames between a window
// procedure and the message loop that dispatched to it. A window procedure
// catches what its handler throws and parks it here; the modal loop that
// dispatched the message rethrows it on its own side, so the failure reaches
// the caller of DoModal as the exception it was.
#pragma once

#include <exception>
#include <utility>

namespace Framework {

// Parks the exception in flight (call from a catch block). The first one
// parked on a thread wins until it is rethrown.
void ParkCurrentException() noexcept;

// Rethrows and clears the parked exception of this thread, if any.
void RethrowParkedException();

// Runs `handler`; on an exception parks it and returns `fallback`.
template <typename Result, typename Handler>
Result CallAtBoundary(Result fallback, Handler&& handler) noexcept {
    try {
        return std::forward<Handler>(handler)();
    } catch (...) {
        ParkCurrentException();
        return fallback;
    }
}

}  // namespace Framework
