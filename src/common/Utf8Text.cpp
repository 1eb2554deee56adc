#include "common/Utf8Text.h"

namespace Common {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

struct Decoded {
    char32_t code;
    std::size_t length;  // 0: no well-formed sequence starts here
};

constexpr Decoded kMalformed = {kReplacement, 0};

// A multi-byte sequence: its lead byte's fixed bits and the smallest value
// that needs this many bytes (a smaller one has a shorter, the only valid,
// form).
struct SequenceForm {
    unsigned char leadMask;
    unsigned char leadBits;
    std::size_t length;
    char32_t smallest;
};

constexpr SequenceForm kSequenceForms[] = {
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
};

// The character at the front of `bytes`, which is not empty.
Decoded DecodeFirst(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) return {lead, 1};
    for (const SequenceForm& form : kSequenceForms) {
        if ((lead & form.leadMask) != form.leadBits) continue;
        if (bytes.size() < form.length) return kMalformed;
        char32_t code = lead & static_cast<unsigned char>(~form.leadMask);
        for (std::size_t k = 1; k < form.length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[k]);
            if ((next & 0xC0) != 0x80) return kMalformed;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < form.smallest || code > 0x10FFFF || IsSurrogate(code)) return kMalformed;
        return {code, form.length};
    }
    return kMalformed;  // a continuation byte, or a byte UTF-8 never uses
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsSurrogate(c)) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string FromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const Decoded decoded = DecodeFirst(bytes.substr(i));
        AppendUtf16(out, decoded.code);
        i += decoded.length > 0 ? decoded.length : 1;
    }
    return out;
}

}  // namespace Common
