// Native stand-in for the ANSI code page: UTF-8.
#include "common/AnsiText.h"

#include "common/Utf8Text.h"

namespace Common {

std::string ToAnsi(std::u16string_view text) { return ToUtf8(text); }

std::u16string FromAnsi(std::string_view text) { return FromUtf8(text); }

}  // namespace Common
