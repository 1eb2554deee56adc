#include "sysinfo/InstalledProduct.h"

#include "common/ProductIdentity.h"
#include "common/RegistryText_win.h"
#include "common/UninstallEntries_win.h"
#include "common/VersionParse.h"

std::optional<VersionRecord> FindInstalledProduct() {
    // A per-user installation leaves its own key; its presence is the answer.
    if (RegistryText::OpenForReading(HKEY_CURRENT_USER, Product::kUserUninstallKey)) return VersionRecord{};

    std::optional<VersionRecord> found;
    VisitUninstallEntries(Product::kName, [&found](HKEY entry) {
        const auto version = RegistryText::Read(entry, u"DisplayVersion", 100);
        if (!version) return false;  // an entry without a readable version is passed over
        found = ParseVersion(*version);
        return true;
    });
    return found;
}
