// Where a downloaded package goes: its name is the last element of the URL
// the server finally answered from, placed in the download folder.
#pragma once

#include <string>
#include <string_view>

namespace Download {

// Each byte becomes the UTF-16 unit of the same value, without decoding.
std::u16string WidenBytes(std::string_view text);

// The text after the last "/" (without one, after the last "\" or ":"); a
// URL ending with "/" gives "."; a query string stays part of the name.
std::u16string UrlLeafName(std::u16string_view url);

// The folder and the name with one separator between them (none added when
// the folder already ends with one). The separator is "\" on Windows and "/"
// in the native build.
std::u16string JoinTargetPath(std::u16string_view folder, std::u16string_view name);

}  // namespace Download
