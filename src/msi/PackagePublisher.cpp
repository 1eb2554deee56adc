#include "msi/PackagePublisher.h"

#include <algorithm>

namespace MSIInstaller {

namespace {

// The hexadecimal digits of a thumbprint in lower case; empty when the text is
// not a thumbprint.
std::u16string ThumbprintDigits(std::u16string_view text) {
    std::u16string digits;
    for (char16_t c : text) {
        if (c == u' ' || c == u':') continue;
        if (c >= u'A' && c <= u'F') c = static_cast<char16_t>(c - u'A' + u'a');
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return {};
        digits.push_back(c);
    }
    return digits.size() == 40 ? digits : std::u16string();
}

}  // namespace

bool SignerIsPublisher(const SignerIdentity& signer, std::u16string_view publisher) {
    if (publisher.empty()) return false;
    if (signer.commonName == publisher) return true;
    const std::u16string pinned = ThumbprintDigits(publisher);
    return !pinned.empty() && pinned == ThumbprintDigits(signer.thumbprintHex);
}

bool ComesFirstInPackageDigest(std::u16string_view a, std::u16string_view b) {
    // Little-endian bytes: the low byte of a code unit decides before its high byte.
    const auto key = [](char16_t unit) { return static_cast<unsigned>((unit & 0xFF) << 8 | unit >> 8); };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) return key(a[i]) < key(b[i]);
    }
    return a.size() < b.size();  // the shorter name's terminating zero comes first
}

}  // namespace MSIInstaller
