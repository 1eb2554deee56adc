// Owner of one libcurl easy handle. libcurl's CURL is `void`, so the handle is
// held as void* and this header does not pull in curl.h (nor, on Windows,
// winsock2.h and windows.h).
#pragma once

#include "common/UniqueResource.h"

namespace Download {

struct CurlEasyTraits {
    using Handle = void*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept;  // curl_easy_cleanup
};

using CurlEasy = Common::UniqueResource<CurlEasyTraits>;

}  // namespace Download
