#include "common/FileSize.h"

#include <sys/stat.h>

#include <filesystem>

namespace Common {

std::optional<std::uint64_t> EntrySize(const std::u16string& path) {
    struct stat info {};
    if (::stat(std::filesystem::path(path).string().c_str(), &info) != 0) return std::nullopt;
    return S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

}  // namespace Common
