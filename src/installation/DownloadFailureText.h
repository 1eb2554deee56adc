// The words the user reads about a failed download: the text item that names
// what failed, followed by the server's status or libcurl's code where the
// failure has one.
#pragma once

#include <string>

#include "download/DownloadErrors.h"

namespace Installation {

std::u16string DownloadFailureText(const UDownloadException& error);

}  // namespace Installation
