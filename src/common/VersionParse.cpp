#include "common/VersionParse.h"

#include <array>

namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

template <typename Char>
std::optional<std::uint32_t> ParseDigits(std::basic_string_view<Char> text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const Char c : text) {
        if (!IsDigit(static_cast<char32_t>(c))) return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - Char('0'));
        if (value > UINT32_MAX) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// One pass: each number is the longest digit run at its place, so a digit can
// never serve as a separator and there is nothing to try twice.
template <typename Char>
VersionRecord ParseFourNumbers(std::basic_string_view<Char> text) {
    std::array<std::uint32_t, 4> numbers{};
    std::size_t at = 0;
    for (std::size_t index = 0; index < numbers.size(); ++index) {
        if (index > 0) {
            if (at >= text.size()) return {};
            ++at;  // the separator: the character after a run is never a digit
        }
        std::size_t end = at;
        while (end < text.size() && IsDigit(static_cast<char32_t>(text[end]))) ++end;
        const auto number = ParseDigits(text.substr(at, end - at));
        if (!number) return {};
        numbers[index] = *number;
        at = end;
    }
    if (at != text.size()) return {};
    return VersionRecord{numbers[0], numbers[1], numbers[2], numbers[3]};
}

}  // namespace

VersionRecord ParseVersion(std::string_view text) { return ParseFourNumbers(text); }

VersionRecord ParseVersion(std::u16string_view text) { return ParseFourNumbers(text); }

std::optional<std::uint32_t> ParseDecimal(std::u16string_view text) { return ParseDigits(text); }
