// The download engine's lines in the installation log. Every address is
// written without its user information.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "download/DownloadErrors.h"
#include "download/ProxyRules.h"

namespace Download {

// "direct" or "proxy HOST:PORT".
std::string RouteText(const ProxyRoute& route);

// One request of one hop and how it ended.
struct RequestFacts {
    std::string_view purpose;  // "name request" or "transfer"
    std::string_view address;
    const ProxyRoute* route = nullptr;
    std::uint64_t rangeFrom = 0;  // with `ranged`: the first byte asked for
    bool ranged = false;
    long status = 0;              // 0: no answer
    std::int64_t bytes = 0;       // body bytes received
    std::int64_t microseconds = 0;
    int result = 0;               // libcurl's
    std::string_view resultText;  // libcurl's words for it
};
std::string RequestLine(const RequestFacts& facts);

std::string FailureLine(DownloadFailure failure, std::int32_t code);

}  // namespace Download
