// The name a downloaded package is saved under, taken from the address the
// server finally answered from. Signed links of storage services and CDNs
// ("…/package.msi?Expires=…&Signature=…") and encoded names
// ("Corvane%20Setup.msi") must give a plain file name Windows accepts.
#pragma once

#include <string>
#include <string_view>

namespace Download {

// Used when the address yields no usable name.
inline constexpr char16_t kFallbackPackageName[] = u"CorvanePackage.msi";

// The longest name kept, in UTF-16 units; a longer one keeps its extension.
constexpr std::size_t kMaxPackageNameLength = 120;

// The last path element of the address without query and fragment,
// percent-decoded as UTF-8, without the characters Windows forbids in file
// names (and without trailing dots and spaces), capped in length; the
// fallback name when nothing usable is left or the name is a device name.
std::u16string PackageFileName(std::string_view url);

}  // namespace Download
