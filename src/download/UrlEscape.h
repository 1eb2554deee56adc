// Escaping of the package URL before it is requested: every space becomes
// %20 and nothing else changes (the shell's URL_ESCAPE_SPACES_ONLY).
#pragma once

#include <cstddef>
#include <string>

namespace Download {

// The longest escaped URL: the shell's 2,084-byte buffer less its terminator.
constexpr std::size_t kMaxEscapedUrlLength = 2083;

// Raises the platform's COM error exception (_com_error on Windows, ComError
// natively) when the escaped URL does not fit kMaxEscapedUrlLength.
std::string EscapeUrlSpaces(const std::string& url);

}  // namespace Download
