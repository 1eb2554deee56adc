#include "common/FileSize.h"

#include <filesystem>
#include <system_error>

namespace Common {

std::uint64_t FileSize(const std::u16string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace Common
