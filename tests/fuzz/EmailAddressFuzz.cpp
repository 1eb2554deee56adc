// The contact page's address check on arbitrary typed text. White space
// removal must remove all of it and nothing else twice; an accepted address
// must have the accepted shape; and the check must answer as fast on the
// text with its local part and domain repeated to tens of kilobytes, which
// keeps the answer, so a matcher that backtracks shows up as a timeout.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "wizard/EmailAddress.h"

namespace {

using Wizard::IsValidEmailAddress;
using Wizard::WithoutWhiteSpace;

constexpr std::size_t kLongLength = 1 << 15;

bool IsAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string Repeated(const std::string& part) {
    if (part.empty()) return part;
    std::string long_;
    while (long_.size() < kLongLength) long_ += part;
    return long_;
}

void CheckShape(const std::string& address) {
    const std::size_t at = address.find('@');
    if (at == std::string::npos || at == 0 || address.find('@', at + 1) != std::string::npos) std::abort();
    if (!IsAlnum(address[at - 1]) || !IsAlnum(address.back())) std::abort();
    const std::size_t dot = address.rfind('.');
    if (dot == std::string::npos || dot < at + 2) std::abort();
    const std::size_t suffix = address.size() - dot - 1;
    if (suffix < 2 || suffix > 6) std::abort();
    for (const char c : address)
        if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E) std::abort();
}

// local "@" domain "." suffix becomes local* "@" domain* "." suffix: a local
// part repeated is valid exactly when it was, and so is a domain, since both
// begin and end with the same characters as before and a domain repeated
// joins letters or digits only.
void CheckLong(const std::string& address, bool valid) {
    const std::size_t at = address.find('@');
    if (at == std::string::npos) return;
    const std::string local = address.substr(0, at);
    std::string host = address.substr(at + 1);
    std::string tail;
    const auto suffixStart = std::find_if(host.rbegin(), host.rend(), [](char c) { return !IsAlnum(c); });
    if (suffixStart != host.rend() && *suffixStart == '.') {
        const std::size_t dot = static_cast<std::size_t>(host.rend() - suffixStart) - 1;
        tail = host.substr(dot);
        host.resize(dot);
    } else {
        tail = std::move(host);
        host.clear();
    }
    if (IsValidEmailAddress(Repeated(local) + "@" + Repeated(host) + tail) != valid) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string cleaned = WithoutWhiteSpace(typed);
    if (std::any_of(cleaned.begin(), cleaned.end(), IsWhiteSpace)) std::abort();
    if (cleaned.size() + static_cast<std::size_t>(std::count_if(typed.begin(), typed.end(), IsWhiteSpace)) !=
        typed.size())
        std::abort();

    for (const std::string* text : {&typed, &cleaned}) {
        const bool valid = IsValidEmailAddress(*text);
        if (valid) CheckShape(*text);
        CheckLong(*text, valid);
    }
    return 0;
}
