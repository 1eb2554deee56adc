// Free bytes on the volume of a folder: the seam through which tests steer
// the free-space verdicts.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace Common {

// Given a folder of a volume (its root, "C:\" on Windows, or any folder on
// it), the free bytes the system reports, or nullopt when it cannot tell.
using FreeSpaceProbe = std::function<std::optional<std::uint64_t>(const std::u16string& volumeRoot)>;

// The system's answer: GetDiskFreeSpaceExW on Windows, statvfs natively.
std::optional<std::uint64_t> SystemFreeBytes(const std::u16string& volumeRoot);

}  // namespace Common
