// The machine-wide uninstall entries ("Programs and Features") of installed
// products, as the Windows Installer and other setups write them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Where the entries live below HKEY_LOCAL_MACHINE.
inline constexpr char16_t kUninstallKeyPath[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Gives every entry whose "DisplayName" is exactly `displayName` (letter case
// included) to `visit`, as a key open for reading, in the order the registry
// lists them, until `visit` answers true. Entries that cannot be opened or
// read are passed over; an unreadable uninstall key has no entries.
void VisitUninstallEntries(const std::u16string& displayName, const std::function<bool(HKEY entry)>& visit);
