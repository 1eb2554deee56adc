#include "installation/StatusFormat.h"

#include <cstdio>

#include "common/TextUtil.h"

namespace Installation {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads a decimal number of at most two digits (widths and precisions are small).
int ReadNumber(const std::u16string& text, std::size_t& at) {
    int value = 0;
    for (int digits = 0; at < text.size() && IsDigit(text[at]) && digits < 2; ++digits, ++at) {
        value = value * 10 + (text[at] - u'0');
    }
    return value;
}

std::u16string FixedPoint(double value, int width, int precision) {
    char buffer[64] = {};
#ifdef _WIN32
    // The system C runtime's formatter: std::snprintf is MinGW's own printf,
    // a second copy of the floating-point formatting in the executable. It
    // leaves a cut text unterminated, hence the size less one.
    _snprintf(buffer, sizeof buffer - 1, "%*.*f", width, precision, value);
#else
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, precision, value);
#endif
    return Common::Ascii(buffer);
}

std::u16string PadLeft(std::u16string text, int width) {
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), u' ');
    return text;
}

}  // namespace

std::u16string FormatText(const std::u16string& format, const std::vector<FormatArgument>& arguments) {
    std::u16string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        std::size_t at = i + 1;
        const int width = ReadNumber(format, at);
        int precision = 6;
        if (at < format.size() && format[at] == u'.') {
            ++at;
            precision = ReadNumber(format, at);
        }
        const char16_t kind = at < format.size() ? format[at] : u'\0';
        if ((kind != u'd' && kind != u'f') || next >= arguments.size()) {
            out += format[i];  // not a conversion we fill: keep the text
            continue;
        }
        const FormatArgument& argument = arguments[next++];
        if (kind == u'd') {
            const long long value = std::holds_alternative<long long>(argument)
                                        ? std::get<long long>(argument)
                                        : static_cast<long long>(std::get<double>(argument));
            out += PadLeft(Common::DecimalText(static_cast<std::int64_t>(value)), width);
        } else {
            const double value = std::holds_alternative<double>(argument)
                                     ? std::get<double>(argument)
                                     : static_cast<double>(std::get<long long>(argument));
            out += FixedPoint(value, width, precision);
        }
        i = at;
    }
    return out;
}

}  // namespace Installation
