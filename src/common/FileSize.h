// The size of a file on disk.
#pragma once

#include <cstdint>
#include <string>

namespace Common {

// The file's size in bytes; 0 when it is missing, is not a regular file or
// cannot be read.
std::uint64_t FileSize(const std::u16string& path);

}  // namespace Common
