// The Win32 boundary of the portable text type: std::u16string and wchar_t are
// both UTF-16 code units on Windows, so a view needs no conversion.
#pragma once

#include <string>
#include <string_view>

namespace Common {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows builds only");

inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline const wchar_t* AsWide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

inline std::u16string FromWide(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace Common
