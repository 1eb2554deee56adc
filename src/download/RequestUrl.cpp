#include "download/RequestUrl.h"

#include "common/Utf8Text.h"

namespace Download {

std::string RequestUrl(std::u16string_view url) {
    const std::string utf8 = Common::ToUtf8(url);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(utf8.size());
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte <= 0x20 || byte == 0x7F) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace Download
