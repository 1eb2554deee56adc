// Reading the answer headers a resumed transfer depends on, as libcurl hands
// them over: one line at a time, with its line end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Download {

// The value of the header line "Name: value" when its name is `name` (given
// in lower case; the line's name is compared without regard to case), without
// the blanks around it and the line end; nothing for another header.
std::optional<std::string> HeaderValue(std::string_view line, std::string_view name);

// The first byte a Content-Range value "bytes N-M/T" names; -1 when it names
// none ("bytes */T", garbage, a number too large).
std::int64_t ContentRangeStart(std::string_view value);

// The validator a resumed request sends back in If-Range: the entity tag when
// it is a strong one (a weak tag never matches there), else the modification
// date; empty when neither can be sent back as it came. A control character
// in either would end or split the request's header line.
std::string IfRangeValidator(std::string_view etag, std::string_view lastModified);

}  // namespace Download
