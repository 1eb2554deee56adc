// Narrow text in the system's ANSI code page: CP_ACP on Windows, UTF-8 in the
// native build. The only place where narrow and UTF-16 text meet.
#pragma once

#include <string>
#include <string_view>

namespace Common {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

}  // namespace Common
