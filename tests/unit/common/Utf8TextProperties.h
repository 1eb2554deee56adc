// What must hold for any input to the UTF-8 conversions, shared by the unit
// tests (every short input) and the fuzz target (long random ones).
#pragma once

#include <string>
#include <string_view>

#include "common/Utf8Text.h"

namespace Utf8TextProperties {

inline bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Every surrogate in its pair: text Windows and the encoder take as it is.
inline bool IsWellFormedUtf16(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsSurrogate(text[i])) continue;
        if (text[i] > 0xDBFF || i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
        ++i;
    }
    return true;
}

// Nothing, or the rule decoding `bytes` breaks.
inline const char* DecodingFault(std::string_view bytes) {
    const std::u16string text = Common::FromUtf8(bytes);
    if (!IsWellFormedUtf16(text)) return "decoded to a lone surrogate";
    // UTF-8 has one form per character: bytes decoded without replacement
    // must be exactly what encoding the text gives.
    if (text.find(u'\xFFFD') == std::u16string::npos && Common::ToUtf8(text) != bytes) {
        return "accepted a form that is not the character's one encoding";
    }
    if (Common::FromUtf8(Common::ToUtf8(text)) != text) return "decoded text does not survive a round trip";
    return nullptr;
}

// Nothing, or the rule encoding `text` and reading it back breaks: each unit
// comes back as it was, except that a surrogate out of its pair is U+FFFD.
inline const char* EncodingFault(std::u16string_view text) {
    const std::u16string back = Common::FromUtf8(Common::ToUtf8(text));
    if (back.size() != text.size()) return "the round trip changed the length";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (back[i] != text[i] && !(IsSurrogate(text[i]) && back[i] == u'\xFFFD')) return "a unit changed";
    }
    if (!IsWellFormedUtf16(back)) return "a lone surrogate came back";
    if (IsWellFormedUtf16(text) && back != text) return "well-formed text changed";
    return nullptr;
}

}  // namespace Utf8TextProperties
