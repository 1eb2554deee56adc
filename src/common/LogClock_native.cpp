#include "common/LogClock.h"

#include <chrono>
#include <ctime>

namespace Common {

LocalTime LocalTimeNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    const auto sinceEpoch = now.time_since_epoch();
    const int millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch))
            .count());
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
            millisecond};
}

}  // namespace Common
