#include "sysinfo/InstalledProduct.h"

#include "sysinfo/RegistryText_win.h"
#include "sysinfo/UninstallEntries_win.h"
#include "sysinfo/VersionParse.h"

std::optional<VersionRecord> FindInstalledProduct() {
    // A per-user installation leaves its own key; its presence is the answer.
    const std::u16string userKey = std::u16string(u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") +
                                   kProductDisplayName;
    if (RegistryText::OpenForReading(HKEY_CURRENT_USER, userKey)) return VersionRecord{};

    std::optional<VersionRecord> found;
    VisitUninstallEntries(kProductDisplayName, [&found](HKEY entry) {
        const auto version = RegistryText::Read(entry, u"DisplayVersion", 100);
        if (!version) return false;  // an entry without a readable version is passed over
        found = ParseVersion(*version);
        return true;
    });
    return found;
}
