#include "common/AddressCredentials.h"

namespace Common {

std::string WithoutCredentials(std::string_view address) {
    // A "://" counts only before any path: a proxy written without a scheme
    // may carry an address in its query.
    const std::size_t schemeEnd = address.find("://");
    const bool hasScheme =
        schemeEnd != std::string_view::npos && address.substr(0, schemeEnd).find_first_of("/?#@") == std::string_view::npos;
    const std::size_t authorityStart = hasScheme ? schemeEnd + 3 : 0;
    std::size_t authorityEnd = address.find_first_of("/?#", authorityStart);
    if (authorityEnd == std::string_view::npos) authorityEnd = address.size();
    // The last "@" ends the user information: a password may hold one unescaped.
    const std::size_t at = address.substr(0, authorityEnd).rfind('@');
    if (at == std::string_view::npos || at < authorityStart) return std::string(address);
    std::string stripped(address.substr(0, authorityStart));
    stripped += address.substr(at + 1);
    return stripped;
}

}  // namespace Common
