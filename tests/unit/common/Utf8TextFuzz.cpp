// The UTF-8 conversions read bytes from servers and partners' addresses. Any
// input, taken as bytes and as UTF-16 units, must keep the rules of
// Utf8TextProperties.h.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Utf8TextProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (Utf8TextProperties::DecodingFault(bytes)) std::abort();

    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (Utf8TextProperties::EncodingFault(units)) std::abort();
    return 0;
}
