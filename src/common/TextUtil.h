// Small portable helpers for UTF-16 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Common {

// ASCII letters only: keys and codes of this program are ASCII, and the
// result must not depend on the user's locale.
std::u16string ToUpperAscii(std::u16string_view text);
std::u16string ToLowerAscii(std::u16string_view text);

std::u16string DecimalText(std::uint64_t value);
std::u16string DecimalText(std::int64_t value);

// Widens 7-bit ASCII text; other bytes are not expected.
std::u16string Ascii(std::string_view text);

}  // namespace Common
