#include "wizard/EmailAddress.h"

#include <algorithm>
#include <cstring>

namespace Wizard {
namespace {

bool IsAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsLocalCharacter(char c) {
    // The ASCII range from "+" to "/" is "+ , - . /".
    return IsAlnum(c) || (c >= '+' && c <= '/') || (c != '\0' && std::strchr("!#$%&'*=?^_`{|}~", c) != nullptr);
}

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsLocalPart(std::string_view text) {
    return !text.empty() && IsAlnum(text.back()) && std::all_of(text.begin(), text.end(), IsLocalCharacter);
}

// Letters and digits in runs joined by single "." or "-".
bool IsDomain(std::string_view text) {
    if (text.empty() || !IsAlnum(text.front()) || !IsAlnum(text.back())) return false;
    bool afterSeparator = false;
    for (char c : text) {
        if (IsAlnum(c)) {
            afterSeparator = false;
        } else if ((c == '.' || c == '-') && !afterSeparator) {
            afterSeparator = true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string WithoutWhiteSpace(std::string_view text) {
    std::string cleaned;
    cleaned.reserve(text.size());
    for (char c : text)
        if (!IsWhiteSpace(c)) cleaned += c;
    return cleaned;
}

bool IsValidEmailAddress(std::string_view address) {
    // Neither part may hold "@", so the split is unique.
    const std::size_t at = address.find('@');
    if (at == std::string_view::npos) return false;
    const std::string_view local = address.substr(0, at);
    const std::string_view host = address.substr(at + 1);
    // The suffix is all letters and digits, so the dot before it is the
    // host's last character that is neither.
    const auto last = std::find_if(host.rbegin(), host.rend(), [](char c) { return !IsAlnum(c); });
    if (last == host.rend() || *last != '.') return false;
    const std::size_t dot = static_cast<std::size_t>(host.rend() - last) - 1;
    const std::size_t suffixLength = host.size() - dot - 1;
    return IsLocalPart(local) && IsDomain(host.substr(0, dot)) && suffixLength >= 2 && suffixLength <= 6;
}

}  // namespace Wizard
