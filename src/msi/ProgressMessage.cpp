#include "msi/ProgressMessage.h"

#include <limits>

#include "msi/MsiErrors.h"

namespace MSIInstaller {
namespace {

// "n: " before every value.
constexpr std::size_t kFieldPrefixLength = 3;

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    return 99;
}

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

std::int32_t WStrToInt(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';

    int base = 10;
    if (at < text.size() && text[at] == u'0') {
        const bool hexPrefix = at + 2 < text.size() && (text[at + 1] == u'x' || text[at + 1] == u'X') &&
                               DigitValue(text[at + 2]) < 16;
        if (hexPrefix) {
            base = 16;
            at += 2;
        } else {
            base = 8;
        }
    }

    // The magnitude may reach 2^31 for the most negative value.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    bool outOfRange = false;
    for (; at < text.size() && DigitValue(text[at]) < base; ++at) {
        magnitude = magnitude * base + DigitValue(text[at]);
        if (magnitude > limit) {
            outOfRange = true;
            magnitude = limit;
        }
    }
    if (outOfRange) throw Error(u"ERROR: WStrToInt(sourceStr) - ::wcstol failed. Error handling.");
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

bool ParseProgressText(std::u16string_view text, ProgressFields& fields) {
    if (text.empty()) return false;
    std::size_t at = 0;
    while (at < text.size()) {
        const char16_t number = text[at];
        if (number < u'1' || number > u'4') return false;
        const std::size_t valueStart = at + kFieldPrefixLength;
        if (number == u'1') {
            if (valueStart >= text.size() || DigitValue(text[valueStart]) > 9) return false;
            fields[0] = text[valueStart] - u'0';
            at = valueStart + 2;  // the digit and its blank
        } else {
            const std::size_t start = valueStart < text.size() ? valueStart : text.size();
            std::size_t end = text.find(u' ', start);
            if (end == std::u16string_view::npos) end = text.size();
            fields[number - u'1'] = WStrToInt(text.substr(start, end - start));
            at = end + 1;
        }
        // Report and add-ticks messages carry one number; action information two.
        if (number == u'2' && (fields[0] == kProgressReport || fields[0] == kProgressAddTicks)) break;
        if (number == u'3' && fields[0] == kProgressActionInfo) break;
        if (number == u'4') break;
    }
    return true;
}

}  // namespace MSIInstaller
