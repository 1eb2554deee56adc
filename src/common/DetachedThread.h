#pragma once

#include <functional>

namespace Common {

// Starts `work` on a thread of its own that nobody joins. False when no
// thread could be had (the system's limit, or memory); `work` has not run
// then, and the caller decides what to do instead.
bool StartDetachedThread(const std::function<void()>& work);

}  // namespace Common
