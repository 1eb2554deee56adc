// The words the user reads about a failed download: the text item that names
// what failed, followed by the server's status or libcurl's code where the
// failure has one.
#pragma once

#include <string>

#include "download/DownloadErrors.h"

class AsLanguage_Manager;

namespace Installation {

// In the current language of `languages`.
std::u16string DownloadFailureText(const AsLanguage_Manager& languages, const UDownloadException& error);

}  // namespace Installation
