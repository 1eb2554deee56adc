// UTF-8 and UTF-16, for text that is UTF-8 whatever the code page: addresses
// as libcurl sends them, percent-decoded names from a server, the native
// build's stand-in for the ANSI code page. Neither direction fails; whatever
// names no character becomes U+FFFD, so a foreign byte can never turn into a
// character the caller checks for (an overlong "/" stays no "/").
#pragma once

#include <string>
#include <string_view>

namespace Common {

// A surrogate without its partner becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Every byte that does not start a well-formed sequence - a stray
// continuation byte, a sequence cut short, an overlong form, an encoded
// surrogate, a value beyond U+10FFFF - becomes one U+FFFD, and decoding goes
// on at the next byte, so a broken sequence never swallows the character
// after it.
std::u16string FromUtf8(std::string_view bytes);

}  // namespace Common
