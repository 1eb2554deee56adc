#include "download/CurlEasy.h"

#include <curl/curl.h>

namespace Download {

void CurlEasyTraits::Close(Handle handle) noexcept { curl_easy_cleanup(handle); }

}  // namespace Download
