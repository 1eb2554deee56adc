#include "common/DetachedThread.h"

#include <exception>
#include <thread>

namespace Common {

bool StartDetachedThread(const std::function<void()>& work) {
    try {
        std::thread(work).detach();
        return true;
    } catch (const std::exception&) {
        // std::system_error from the platform, or whatever the installer's
        // runtime reports the same failure with.
        return false;
    }
}

}  // namespace Common
