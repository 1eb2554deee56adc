// The folder the default installation logs go to, and what is in it.
#pragma once

#include <string>
#include <vector>

namespace Common {

// The user's temporary folder (%TEMP%: GetTempPathW), with its last separator.
std::u16string TemporaryFolder();

// The names of the files (not folders) directly in `folder`; empty when it
// cannot be read.
std::vector<std::u16string> FileNamesIn(const std::u16string& folder);

}  // namespace Common
