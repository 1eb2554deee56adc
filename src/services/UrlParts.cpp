#include "services/UrlParts.h"

#include "common/TextUtil.h"

namespace Soap {

std::optional<UrlParts> SplitUrl(std::u16string_view url) {
    UrlParts parts;
    const auto schemeEnd = url.find(u"://");
    if (schemeEnd == std::u16string_view::npos) return std::nullopt;
    const std::u16string scheme = Common::ToLowerAscii(url.substr(0, schemeEnd));
    if (scheme == u"https") {
        parts.secure = true;
        parts.port = 443;
    } else if (scheme == u"http") {
        parts.port = 80;
    } else {
        return std::nullopt;
    }
    url.remove_prefix(schemeEnd + 3);

    const auto authorityEnd = url.find_first_of(u"/?#");
    std::u16string_view authority = url.substr(0, authorityEnd);
    const std::u16string_view rest = authorityEnd == std::u16string_view::npos ? u"" : url.substr(authorityEnd);
    if (authority.find(u'@') != std::u16string_view::npos || rest.find(u'#') != std::u16string_view::npos) {
        return std::nullopt;
    }

    // A port follows the last colon, unless that colon is inside an IPv6 literal.
    const auto colon = authority.rfind(u':');
    if (colon != std::u16string_view::npos && authority.find(u']', colon) == std::u16string_view::npos) {
        const std::u16string_view digits = authority.substr(colon + 1);
        if (digits.empty() || digits.size() > 5) return std::nullopt;
        std::uint32_t port = 0;
        for (char16_t c : digits) {
            if (c < u'0' || c > u'9') return std::nullopt;
            port = port * 10 + (c - u'0');
        }
        if (port == 0 || port > 65535) return std::nullopt;
        parts.port = static_cast<std::uint16_t>(port);
        authority = authority.substr(0, colon);
    }
    if (authority.empty()) return std::nullopt;
    parts.host.assign(authority);
    parts.target = rest.empty() || rest.front() == u'?' ? u"/" + std::u16string(rest) : std::u16string(rest);
    return parts;
}

}  // namespace Soap
