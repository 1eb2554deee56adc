// The version that the running program's resources carry.
#pragma once

#include <string>

namespace Common {

// "\StringFileInfo\040904e4\ProductVersion" of the running program's version
// resource; "unknown" when it has none or it cannot be read.
std::u16string OwnProductVersion();

}  // namespace Common
