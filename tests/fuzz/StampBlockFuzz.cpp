// The stamp block reader on arbitrary file tails: it must never read outside
// the buffer, and what it reads back must survive a write and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "configuration/StampBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that one byte too far is a sanitizer report.
    std::unique_ptr<std::uint8_t[]> file(new std::uint8_t[size ? size : 1]);
    std::copy(data, data + size, file.get());

    const auto entries = StampBlock::Parse(file.get(), size);
    if (!entries) return 0;

    // Entries stop at their first NUL, so encoding them and reading them back
    // must give the same list in the stored order.
    const std::vector<std::u16string> given(entries->rbegin(), entries->rend());
    const auto encoded = StampBlock::Encode(given);
    const auto again = StampBlock::Parse(encoded.data(), encoded.size());
    if (!again || *again != *entries) std::abort();
    return 0;
}
