#include "services/SaxText.h"

namespace Soap {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

bool IsXmlWhitespace(std::u16string_view text) {
    for (char16_t c : text) {
        if (!IsSpace(c)) return false;
    }
    return true;
}

std::u16string_view TrimXmlWhitespace(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool AppendBounded(std::u16string& value, std::u16string_view text) {
    if (text.size() > kMaxValueLength - value.size()) return false;
    value.append(text);
    return true;
}

std::optional<bool> ParseSchemaBoolean(std::u16string_view text) {
    text = TrimXmlWhitespace(text);
    if (text == u"true" || text == u"1") return true;
    if (text == u"false" || text == u"0") return false;
    return std::nullopt;
}

std::optional<std::int32_t> ParseSchemaInt(std::u16string_view text) {
    text = TrimXmlWhitespace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace Soap
