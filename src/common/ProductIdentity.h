// Who the installed product is: the names, keys and codes under which the
// product and its installer are known to Windows, the package and the
// services. Everything that names the product takes it from here.
#pragma once

#include <cstdint>

namespace Product {

// The product's name: its display name in the uninstall entries, its folder
// below Program Files, its file-type ProgID.
inline constexpr char16_t kName[] = u"Corvane 2013";
// The same name in 8-bit text, for the statistics event records.
inline constexpr char kNameNarrow[] = "Corvane 2013";

// The installed product's program and the shortcuts that start it.
inline constexpr char16_t kProgramFile[] = u"Corvane 2013.exe";
inline constexpr char16_t kShortcutFile[] = u"Corvane 2013.lnk";

// The wizard's window title.
inline constexpr char16_t kInstallerTitle[] = u"Corvane 2013 Installer";

// The start of the installation logs' default names in the temporary folder.
inline constexpr char16_t kLogNamePrefix[] = u"Corvane2013_Install_";

// The vendor's folder below the user's application data.
inline constexpr char16_t kVendorFolder[] = u"Corvane Software";

// Below HKEY_CURRENT_USER: the product's settings (language, installation
// id, previous file associations) and the links a configured copy leaves.
inline constexpr char16_t kSettingsKey[] = u"Software\\Corvane 2013\\Settings";
inline constexpr char16_t kLinksKey[] = u"Software\\Corvane 2013\\Settings\\Links";

// A per-user installation's uninstall entry, below HKEY_CURRENT_USER.
inline constexpr char16_t kUserUninstallKey[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane 2013";

// The product's code at the installation-statistics service and its id at
// the update service.
inline constexpr char16_t kStatisticsProductCode[] = u"corvane";
inline constexpr std::int32_t kUpdateProductId = 13;

}  // namespace Product
