// The largest resident memory of this process so far, in bytes.
#pragma once

#include <cstdint>

std::uint64_t PeakMemoryBytes();
