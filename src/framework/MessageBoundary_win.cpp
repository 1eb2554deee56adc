#include "framework/MessageBoundary.h"

namespace Framework {

namespace {
// One per thread: a dialog's loop and the windows it dispatches to share it.
thread_local std::exception_ptr parked;
}  // namespace

void ParkCurrentException() noexcept {
    if (!parked) parked = std::current_exception();
}

void RethrowParkedException() {
    if (!parked) return;
    std::exception_ptr failure = std::exchange(parked, nullptr);
    std::rethrow_exception(failure);
}

}  // namespace Framework
