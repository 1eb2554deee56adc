#include "download/TargetPath.h"

#include <filesystem>

namespace Download {

namespace {

constexpr char16_t kSeparator = static_cast<char16_t>(std::filesystem::path::preferred_separator);

bool IsSeparator(char16_t c) { return c == u'/' || c == kSeparator; }

}  // namespace

std::u16string WidenBytes(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

std::u16string UrlLeafName(std::u16string_view url) {
    std::size_t last = url.rfind(u'/');
    if (last == std::u16string_view::npos) last = url.find_last_of(u"\\:");
    if (last == std::u16string_view::npos) return std::u16string(url);
    if (last + 1 == url.size() && url[last] == u'/') return u".";
    return std::u16string(url.substr(last + 1));
}

std::u16string JoinTargetPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && !IsSeparator(path.back())) path += kSeparator;
    path += name;
    return path;
}

}  // namespace Download
