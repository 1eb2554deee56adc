// Native stand-in of the free-space query, for the host build's tools and tests.
#include "common/FreeSpace.h"

#include <sys/statvfs.h>

#include "common/AnsiText.h"

namespace Common {

std::optional<std::uint64_t> SystemFreeBytes(const std::u16string& volumeRoot) {
    struct statvfs info {};
    if (statvfs(ToAnsi(volumeRoot).c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.f_bfree) * info.f_frsize;
}

}  // namespace Common
