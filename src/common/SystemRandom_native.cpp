#include "common/SystemRandom.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <random>

namespace Common {

bool FillSystemRandom(void* data, std::size_t size) {
    try {
        std::random_device source;
        auto* bytes = static_cast<unsigned char*>(data);
        for (std::size_t at = 0; at < size; at += sizeof(unsigned)) {
            const unsigned word = source();
            std::memcpy(bytes + at, &word, std::min(sizeof word, size - at));
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace Common
