#include "download/ResponseHeaders.h"

#include <cctype>
#include <limits>

namespace Download {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

bool Control(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// "opaque-tag": a quoted run of visible characters (or bytes above ASCII) without quotes.
bool StrongEntityTag(std::string_view tag) {
    if (tag.size() < 2 || tag.front() != '"' || tag.back() != '"') return false;
    for (const char c : tag.substr(1, tag.size() - 2)) {
        if (Control(c) || c == ' ' || c == '"') return false;
    }
    return true;
}

bool PlainText(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (Control(c)) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> HeaderValue(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line[name.size()] != ':') return std::nullopt;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != name[i]) return std::nullopt;
    }
    line.remove_prefix(name.size() + 1);
    while (!line.empty() && Blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && Blank(line.back())) line.remove_suffix(1);
    return std::string(line);
}

std::int64_t ContentRangeStart(std::string_view value) {
    constexpr std::string_view kUnit = "bytes ";
    if (value.substr(0, kUnit.size()) != kUnit) return -1;
    value.remove_prefix(kUnit.size());
    if (value.empty() || !Digit(value.front())) return -1;
    std::int64_t start = 0;
    for (; !value.empty() && Digit(value.front()); value.remove_prefix(1)) {
        const int digit = value.front() - '0';
        if (start > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return -1;
        start = start * 10 + digit;
    }
    return !value.empty() && value.front() == '-' ? start : -1;
}

std::string IfRangeValidator(std::string_view etag, std::string_view lastModified) {
    if (StrongEntityTag(etag)) return std::string(etag);
    if (PlainText(lastModified)) return std::string(lastModified);
    return {};
}

}  // namespace Download
