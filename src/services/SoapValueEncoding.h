// How values are written into a request envelope. The result is pure ASCII,
// so the envelope is valid UTF-8 whatever the text holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Soap {

// Printable ASCII stays as it is, except "&", "<" and ">" (and, in an
// attribute value, the double quote), which become entity references. Every
// other unit becomes "&#xHHHH;", a surrogate pair one "&#xHHHHHH;" of its
// code point. Units that XML 1.0 cannot carry at all (control characters
// other than tab, line feed and carriage return, unpaired surrogates, U+FFFE
// and U+FFFF) become U+FFFD, so that one stray character cannot make the
// server reject the whole request.
void AppendEncodedText(std::string& out, std::u16string_view text, bool inAttribute = false);

// Decimal, with "-" when negative.
void AppendEncodedInt(std::string& out, std::int32_t value);
// "true" for the byte 1, "false" for any other value.
void AppendEncodedBoolean(std::string& out, std::uint8_t value);

}  // namespace Soap
