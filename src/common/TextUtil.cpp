#include "common/TextUtil.h"

namespace Common {

std::u16string ToUpperAscii(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return out;
}

std::u16string ToLowerAscii(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return out;
}

std::u16string DecimalText(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string DecimalText(std::int64_t value) {
    if (value >= 0) return DecimalText(static_cast<std::uint64_t>(value));
    return u"-" + DecimalText(0 - static_cast<std::uint64_t>(value));
}

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace Common
