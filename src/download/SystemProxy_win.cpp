#include "download/SystemProxy.h"

#include <windows.h>
#include <wininet.h>

#include <memory>

namespace Download {

std::string SystemProxy() {
    DWORD size = 0;
    InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, nullptr, &size);  // learns the size
    if (size == 0) return {};
    // new[] aligns for any object, so the record can sit at the start.
    const auto buffer = std::make_unique<unsigned char[]>(size);
    if (!InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, buffer.get(), &size)) return {};
    // The ANSI call fills the record with narrow texts.
    const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.get());
    const auto* proxy = reinterpret_cast<const char*>(info->lpszProxy);
    return proxy ? proxy : "";
}

}  // namespace Download
