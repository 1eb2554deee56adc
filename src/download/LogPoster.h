// Posts one line of diagnostic text to the statistics server's plain HTTP
// log handler, as the form field "message".
#pragma once

#include <cstdint>
#include <string>

namespace Download {
class ProxyResolver;
}

// How long a post may wait for its answer.
inline constexpr long kLogAnswerTimeoutSeconds = 30;

// The HTTP status of the answer, 0 when none arrived (in time), -1 when the
// message could not be encoded. Never raises. Without an endpoint the
// built-in log handler is used. A post goes the way `routes` decides for its
// address, as the package download does; without it a resolver is made from
// the user's settings for this post alone.
std::int32_t PostLogMessage(const std::string& message);
std::int32_t PostLogMessage(const std::string& message, const std::string& endpoint,
                            long timeoutSeconds = kLogAnswerTimeoutSeconds);
std::int32_t PostLogMessage(const std::string& message, const std::string& endpoint, long timeoutSeconds,
                            Download::ProxyResolver& routes);
