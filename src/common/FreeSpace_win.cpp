#include "common/FreeSpace.h"

#include <windows.h>

#include "common/WideText.h"

namespace Common {

std::optional<std::uint64_t> SystemFreeBytes(const std::u16string& volumeRoot) {
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (!GetDiskFreeSpaceExW(AsWide(volumeRoot), &available, &total, &totalFree)) return std::nullopt;
    return totalFree.QuadPart;
}

}  // namespace Common
