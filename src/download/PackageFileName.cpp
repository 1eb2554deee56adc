#include "download/PackageFileName.h"

#include <algorithm>

#include "common/Utf8Text.h"

namespace Download {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        bytes += text[i];
    }
    return bytes;
}

bool ForbiddenInFileName(char16_t c) {
    return c < 0x20 || c == 0x7F || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos;
}

bool IsDeviceName(const std::u16string& name) {
    std::u16string stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; });
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
        if (stem == device) return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, u"COM") == 0 || stem.compare(0, 3, u"LPT") == 0) &&
           stem[3] >= u'0' && stem[3] <= u'9';
}

// Cuts to the limit, keeping a short extension, without splitting a
// surrogate pair.
std::u16string Capped(std::u16string name) {
    if (name.size() <= kMaxPackageNameLength) return name;
    std::u16string extension;
    const std::size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos && name.size() - dot <= 16) extension = name.substr(dot);
    std::size_t keep = kMaxPackageNameLength - extension.size();
    if (keep > 0 && name[keep - 1] >= 0xD800 && name[keep - 1] <= 0xDBFF) --keep;
    return name.substr(0, keep) + extension;
}

}  // namespace

std::u16string PackageFileName(std::string_view url) {
    std::string_view path = url.substr(0, url.find_first_of("?#"));
    const std::size_t schemeEnd = path.find("://");
    if (schemeEnd != std::string_view::npos) {
        path.remove_prefix(schemeEnd + 3);
        const std::size_t slash = path.find('/');
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash);
    }
    const std::string_view leaf = path.substr(path.rfind('/') + 1);

    std::u16string name;
    // A byte that is no UTF-8 becomes U+FFFD, a legal file name character.
    for (char16_t c : Common::FromUtf8(PercentDecoded(leaf))) {
        if (!ForbiddenInFileName(c)) name += c;
    }
    // Windows drops trailing dots and spaces, which would name another file.
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
    while (!name.empty() && name.front() == u' ') name.erase(0, 1);
    name = Capped(std::move(name));
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
    if (name.empty() || IsDeviceName(name)) return kFallbackPackageName;
    return name;
}

}  // namespace Download
