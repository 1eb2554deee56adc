// The settings block that "-build" appends to a configured copy of the
// installer, read back by that copy when its wizard opens.
//
// File layout, little-endian, in file order:
//   text 1, length 1, text 2, length 2, ..., count, marker
// where each text is UTF-16LE KEY=VALUE with its NUL, each length is the
// text's byte length (signed 32-bit), count is the number of entries (signed
// 32-bit) and the marker is twenty bytes of 0x44. Bytes after the marker (a
// signature added later) are allowed: the marker is searched from the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace StampBlock {

inline constexpr std::size_t kMarkerSize = 20;
inline constexpr std::uint8_t kMarkerByte = 0x44;

// The bytes to append for the given entries, in the order they were given.
std::vector<std::uint8_t> Encode(const std::vector<std::u16string>& entries);

// The entries of the block nearest the end of `file`, nearest the count first
// (so the last entry given to Encode comes first); nullopt without a marker.
// The file may have been altered by anyone: fields that point outside it end
// the walk, and the entries read whole up to there are kept.
std::optional<std::vector<std::u16string>> Parse(const std::uint8_t* file, std::size_t size);

}  // namespace StampBlock
