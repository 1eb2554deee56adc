// Version texts from registry values, package properties and configuration.
// A version read from a text must be the four numbers the text spells; the
// narrow and the wide reader must agree, also on characters outside ASCII
// (none of which is a digit); and a decimal read must match the standard
// library's reading of the same digits.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/VersionParse.h"

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the digit run at `at`; false when there is none or it exceeds 32 bits.
bool ReadRun(const std::string& text, std::size_t& at, std::uint32_t& value) {
    const char* begin = text.data() + at;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || !IsAsciiDigit(*begin)) return false;
    at += static_cast<std::size_t>(end - begin);
    return true;
}

// The four numbers of a version are the text's four digit runs, one
// character apart, and nothing follows the last.
void CheckSpelled(const std::string& text, const VersionRecord& version) {
    const std::uint32_t parts[] = {version.main, version.minor, version.build1, version.build2};
    std::size_t at = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) ++at;
        std::uint32_t value = 0;
        if (at >= text.size() || !ReadRun(text, at, value) || value != parts[i]) std::abort();
    }
    if (at != text.size()) std::abort();
}

void CheckDecimal(const std::string& text) {
    const std::u16string wide(text.begin(), text.end());
    const auto decimal = ParseDecimal(wide);
    std::uint32_t value = 0;
    std::size_t at = 0;
    const bool expected = !text.empty() && ReadRun(text, at, value) && at == text.size();
    if (decimal.has_value() != expected || (expected && *decimal != value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const VersionRecord version = ParseVersion(text);
    if (!version.IsNone()) {
        CheckSpelled(text, version);
        const std::string printed = std::to_string(version.main) + "." + std::to_string(version.minor) + "." +
                                    std::to_string(version.build1) + "." + std::to_string(version.build2);
        if (ParseVersion(printed) != version) std::abort();
    }

    // Bytes above ASCII become fullwidth digits, which are not digits here.
    std::u16string wide;
    for (const std::uint8_t byte : text) wide += byte < 0x80 ? char16_t{byte} : char16_t(0xFF10 + byte % 10);
    if (ParseVersion(wide) != version) std::abort();

    CheckDecimal(text);
    return 0;
}
