#include "download/UrlEscape.h"

#include <windows.h>
#include <comdef.h>
#include <shlwapi.h>

namespace Download {

std::string EscapeUrlSpaces(const std::string& url) {
    char escaped[kMaxEscapedUrlLength + 1] = {};
    DWORD size = sizeof escaped;
    const HRESULT result = UrlEscapeA(url.c_str(), escaped, &size, URL_ESCAPE_SPACES_ONLY);
    if (FAILED(result)) throw _com_error(result);
    return escaped;
}

}  // namespace Download
