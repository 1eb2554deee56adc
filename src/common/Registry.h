// Registry access of the common library. Every operation opens its key, does
// one thing and closes it again; every failing call raises Common::WinEx.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/WinEx.h"

namespace Common::Registry {

using NameList = std::shared_ptr<std::vector<std::u16string>>;

DWORD ReadDword(HKEY root, const std::u16string& path, const std::u16string& name);
// A zero-length value leaves `value` as it was.
void ReadString(HKEY root, const std::u16string& path, const std::u16string& name, std::u16string& value);
std::vector<std::uint8_t> ReadBinary(HKEY root, const std::u16string& path, const std::u16string& name);
std::string ReadBinaryString(HKEY root, const std::u16string& path, const std::u16string& name);

void WriteDword(HKEY root, const std::u16string& path, const std::u16string& name, DWORD value);
void WriteString(HKEY root, const std::u16string& path, const std::u16string& name, const std::u16string& value);
void WriteBinary(HKEY root, const std::u16string& path, const std::u16string& name, const void* data,
                 DWORD size);

// The stored type, or `missing` when the key or the value does not exist.
DWORD ValueType(HKEY root, const std::u16string& path, const std::u16string& name, DWORD missing);

void DeleteValue(HKEY root, const std::u16string& path, const std::u16string& name);
// Removes the key with everything below it; a missing key is nothing to do.
void DeleteKeyTree(HKEY root, const std::u16string& path);
void DeleteSubKeys(HKEY key);
void DeleteValues(HKEY key);
NameList EnumSubKeys(HKEY root, const std::u16string& path);

// Gives the group Everyone full access to a key below HKEY_CURRENT_USER.
void GrantEveryoneFullAccess(const std::u16string& path);

}  // namespace Common::Registry
