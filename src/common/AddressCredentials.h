// Addresses as they may be written down: without the "user:password@" that a
// download or proxy address can carry before its host.
#pragma once

#include <string>
#include <string_view>

namespace Common {

// `address` without its user information: "http://u:p@host/x" gives
// "http://host/x", a proxy "u:p@proxy:8080" gives "proxy:8080". Only the
// part before the path counts; an "@" in the path, query or fragment stays.
std::string WithoutCredentials(std::string_view address);

}  // namespace Common
