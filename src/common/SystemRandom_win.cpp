#define _CRT_RAND_S  // rand_s, declared only when asked for before stdlib.h

#include "common/SystemRandom.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace Common {

// The C runtime's rand_s (RtlGenRandom) directly: std::random_device is the
// same call behind a token string, and brings the C++ runtime's whole
// std::string instantiation into the executable.
bool FillSystemRandom(void* data, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(data);
    for (std::size_t at = 0; at < size; at += sizeof(unsigned)) {
        unsigned word = 0;
        if (rand_s(&word) != 0) return false;
        std::memcpy(bytes + at, &word, std::min(sizeof word, size - at));
    }
    return true;
}

}  // namespace Common
