// Random bytes from the operating system's generator, fit for ids and jitter.
#pragma once

#include <cstddef>

namespace Common {

// Fills `size` bytes at `data`; false when the system has no source of
// randomness to offer (the bytes are then unspecified).
bool FillSystemRandom(void* data, std::size_t size);

}  // namespace Common
