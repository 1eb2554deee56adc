// The size of a file on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Common {

// The file's size in bytes; 0 when it is missing, is not a regular file or
// cannot be read.
std::uint64_t FileSize(const std::u16string& path);

// What is at `path`: nullopt for nothing (or nothing the system lets us see),
// 0 for a folder or anything else that is no regular file, else its size.
std::optional<std::uint64_t> EntrySize(const std::u16string& path);

}  // namespace Common
