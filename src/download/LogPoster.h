// Posts one line of diagnostic text to the statistics server's plain HTTP
// log handler, as the form field "message".
#pragma once

#include <cstdint>
#include <string>

// How long a post may wait for its answer. The statistics reports post from
// the user-interface thread: a server that never answers must not freeze the
// wizard.
inline constexpr long kLogAnswerTimeoutSeconds = 30;

// The HTTP status of the answer, 0 when none arrived (in time), -1 when the
// message could not be encoded. Never raises. Without an endpoint the
// built-in log handler is used.
std::int32_t PostLogMessage(const std::string& message);
std::int32_t PostLogMessage(const std::string& message, const std::string& endpoint,
                            long timeoutSeconds = kLogAnswerTimeoutSeconds);
