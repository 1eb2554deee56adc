// A service URL split the way the HTTP exchange needs it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Soap {

struct UrlParts {
    bool secure = false;  // https
    std::u16string host;
    std::uint16_t port = 0;
    std::u16string target;  // path and query, starting with "/"
};

// "http://host[:port][/path][?query]" or the same with https; the scheme is
// matched without regard to case, the port defaults to 80 or 443 and the
// path to "/". User information, fragments and other schemes are refused.
std::optional<UrlParts> SplitUrl(std::u16string_view url);

}  // namespace Soap
