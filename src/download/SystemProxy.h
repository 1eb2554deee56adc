// The proxy server the system is set to use, for requests that cannot reach
// the server directly.
#pragma once

#include <string>

namespace Download {

// Windows: the proxy server text of the Internet settings (WinInet), as it
// stands, whatever the access type. Native build: the environment variable
// CORVANE_SYSTEM_PROXY, a variable libcurl does not read by itself, so that a
// request sees it only when the engine passes it on, as on Windows.
// Empty when there is none.
std::string SystemProxy();

}  // namespace Download
