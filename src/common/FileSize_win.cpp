#include "common/FileSize.h"

#include <windows.h>

#include "common/WideText.h"

namespace Common {

// Without std::filesystem, whose path conversions pull the C++ library's
// locale machinery into the program.
std::optional<std::uint64_t> EntrySize(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace Common
