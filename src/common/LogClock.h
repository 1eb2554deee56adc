// The local wall-clock time the installation log stamps its lines and names
// its files with.
#pragma once

namespace Common {

struct LocalTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Now, in the machine's time zone: GetLocalTime on Windows, localtime_r natively.
LocalTime LocalTimeNow();

using LocalClock = LocalTime (*)();

}  // namespace Common
