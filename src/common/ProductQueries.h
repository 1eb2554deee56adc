// Questions to the Windows Installer about the products installed on this
// machine. None of them raises: what cannot be read counts as not installed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/VersionRecord.h"

namespace Common {

// The product codes of every installed product, in the installer's order.
std::vector<std::u16string> InstalledProductCodes();

// The product's "ProductName"; empty when the code is not registered.
std::u16string InstalledProductName(const std::u16string& productCode);

// True when an installed product has exactly this name.
bool IsProductInstalled(const std::u16string& productName);

// A property ("VersionString", "InstallLocation", ...) of the first installed
// product with this name; empty when none has it.
std::u16string InstalledProductInfo(const std::u16string& productName, const std::u16string& property);

// The version of the installed product with this name; nullopt when it is not
// installed or its "VersionString" is not a version.
std::optional<VersionRecord> GetInstalledVersion(const std::u16string& productName);

// --- the portable rules behind the queries ---

// The product code at an enumeration index, or nullopt where the enumeration
// ends (or fails).
using ProductCodeAt = std::function<std::optional<std::u16string>(std::uint32_t index)>;

// Walks an enumeration from index 0 to its end. It also ends at the first
// code seen before: an enumeration that repeats itself would never end.
std::vector<std::u16string> CollectProductCodes(const ProductCodeAt& productAt);

// An installed product's "VersionString": split at every "." (an empty part
// counts), the first four parts read as decimal numbers, missing ones 0,
// parts after the fourth ignored; nullopt for an empty text or a part that is
// not a number ("5..3").
std::optional<VersionRecord> ReadVersionString(std::u16string_view text);

}  // namespace Common
