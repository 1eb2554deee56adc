// The text of the Windows Installer's progress messages: up to four fields,
// each "n: value ", such as "1: 0 2: 648000 3: 0 4: 0 " (a reset of the tick
// count) or "1: 2 2: 24000 " (ticks done).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace MSIInstaller {

// Fields 1 to 4 at indexes 0 to 3.
using ProgressFields = std::array<std::int32_t, 4>;

// Field 1 of the kinds of progress message.
enum ProgressKind : std::int32_t {
    kProgressReset = 0,
    kProgressActionInfo = 1,
    kProgressReport = 2,
    kProgressAddTicks = 3,
};

// Reads the fields that the text carries into `fields`, left to right;
// fields it does not carry keep their values. False when the message is to be
// ignored: an empty text, a field 1 that is not a digit, or a field number
// outside 1 to 4. Raises Error when a number is out of range.
bool ParseProgressText(std::u16string_view text, ProgressFields& fields);

// C's wcstol in base 0 with a 32-bit long, as the Windows runtime has it:
// leading blanks, a sign, "0x" for hexadecimal, a leading 0 for octal, and
// the digits up to the first character that is not one (no digits give 0).
// Raises Error where wcstol reports a range error.
std::int32_t WStrToInt(std::u16string_view text);

}  // namespace MSIInstaller
