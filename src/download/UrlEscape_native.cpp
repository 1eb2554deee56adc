#include "download/UrlEscape.h"

#include "download/ComError.h"

namespace Download {

std::string EscapeUrlSpaces(const std::string& url) {
    std::string escaped;
    escaped.reserve(url.size());
    for (char c : url) {
        if (c == ' ') {
            escaped += "%20";
        } else {
            escaped += c;
        }
    }
    // The shell answers E_POINTER when the result does not fit its buffer.
    if (escaped.size() > kMaxEscapedUrlLength) throw ComError(kPointerError);
    return escaped;
}

}  // namespace Download
