// Lexical helpers for the character data of SOAP answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Soap {

// Only blanks, tabs, carriage returns and line feeds (or nothing).
bool IsXmlWhitespace(std::u16string_view text);
std::u16string_view TrimXmlWhitespace(std::u16string_view text);

// The most text one value may gather. Answers are a few hundred bytes, and
// a parser that expands entities must not turn one into gigabytes.
inline constexpr std::size_t kMaxValueLength = 1 << 20;
// Appends `text`; false when that would pass kMaxValueLength.
bool AppendBounded(std::u16string& value, std::u16string_view text);

// "true", "false", "1" or "0", surrounded by whitespace or not.
std::optional<bool> ParseSchemaBoolean(std::u16string_view text);
// An optional sign and decimal digits within the 32-bit range.
std::optional<std::int32_t> ParseSchemaInt(std::u16string_view text);

}  // namespace Soap
