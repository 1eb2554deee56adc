// The package address as libcurl gets it. An address may hold letters outside
// the ANSI code page (a partner's folder name, say); narrowed to that code
// page they would be lost, so the address goes out as UTF-8 with every
// non-ASCII byte, space and control character percent-encoded, the way a
// browser sends it. Everything else, "%" escapes included, stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace Download {

// The length is left to EscapeUrlSpaces (UrlEscape.h), which the result
// passes through unchanged and which raises the platform's error for an
// address too long.
std::string RequestUrl(std::u16string_view url);

}  // namespace Download
