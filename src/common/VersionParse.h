// Versions read from texts: registry values, package properties, service
// answers and configuration values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/VersionRecord.h"

// Four runs of decimal digits, each pair separated by exactly one character
// that is not a digit ("3.0.12.345", "3-0-12-345"), read as main, minor,
// build1 and build2. Anything else, or a number above 4294967295, gives
// 0.0.0.0. Runs in time linear in the text.
VersionRecord ParseVersion(std::string_view text);
VersionRecord ParseVersion(std::u16string_view text);

// A whole text of ASCII decimal digits that fits in 32 bits; no sign, no
// blanks, no other digits.
std::optional<std::uint32_t> ParseDecimal(std::u16string_view text);
