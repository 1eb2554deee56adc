// Small file helpers shared by the Windows code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Common {

// The whole file, read with sharing allowed; nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::u16string& path);

// The full path of the running program.
std::u16string ModulePath();

// True when the folder exists or was created.
bool EnsureFolder(const std::u16string& path);

}  // namespace Common
