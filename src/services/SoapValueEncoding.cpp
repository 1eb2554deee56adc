#include "services/SoapValueEncoding.h"


namespace Soap {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool IsXmlCharacter(char32_t c) {
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    return c != 0xFFFE && c != 0xFFFF;
}

void AppendReference(std::string& out, char32_t codePoint) {
    if (!IsXmlCharacter(codePoint)) codePoint = 0xFFFD;
    out += "&#x";
    for (int shift = codePoint > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) {
        out += "0123456789ABCDEF"[(codePoint >> shift) & 0xF];
    }
    out += ';';
}

}  // namespace

void AppendEncodedText(std::string& out, std::u16string_view text, bool inAttribute) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'&') {
            out += "&amp;";
        } else if (c == u'<') {
            out += "&lt;";
        } else if (c == u'>') {
            out += "&gt;";
        } else if (c == u'"' && inAttribute) {
            out += "&quot;";
        } else if (c >= 0x20 && c <= 0x7E) {
            out += static_cast<char>(c);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendReference(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else {
            AppendReference(out, c);
        }
    }
}

void AppendEncodedInt(std::string& out, std::int32_t value) { out += std::to_string(value); }

void AppendEncodedBoolean(std::string& out, std::uint8_t value) { out += value == 1 ? "true" : "false"; }

}  // namespace Soap
