// How long a SOAP exchange waits on the network: to connect, and for each
// send and each receive. The answers are a few hundred bytes, so a live
// server answers in seconds even on a slow line; a silent one must not hold
// the calling thread (the statistics' worker, the update check) for longer
// than this.
#pragma once

#include <cstdint>

namespace Soap {

inline constexpr std::uint32_t kExchangeTimeoutMilliseconds = 30000;

}  // namespace Soap
