// Text values of registry keys that probes read without raising.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/WinHandles.h"

namespace RegistryText {

// The key opened for reading; an empty owner when it cannot be opened.
Common::UniqueKey OpenForReading(HKEY parent, const std::u16string& path);

// A REG_SZ or REG_EXPAND_SZ value of at most `maxChars` characters, as stored
// (not expanded); nullopt when it is missing, longer, or not text.
std::optional<std::u16string> Read(HKEY key, const std::u16string& name, std::size_t maxChars);

}  // namespace RegistryText
