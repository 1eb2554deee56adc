// The figures of a download that the statistics report carries: how long it
// took, how large the package file is, and the speed from the two.
#pragma once

#include <cstdint>
#include <string>

namespace Download {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the system
// tick count (GetTickCount on Windows, a steady clock natively).
std::uint32_t TickCount();

struct DownloadMeasurements {
    std::uint32_t durationSeconds = 0;
    std::uint32_t fileSize = 0;  // the low 32 bits of the size in bytes
    std::uint32_t speed = 0;     // bytes per second

    // Measures a download that began at `startTick` and is looked at now.
    // The size is read only when the file exists (an unreadable one gives
    // 0); the speed changes only when both size and duration are not 0.
    void Take(std::uint32_t startTick, std::uint32_t nowTick, const std::u16string& path);
};

}  // namespace Download
