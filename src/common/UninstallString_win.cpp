#include "common/UninstallString.h"

#include "sysinfo/InstalledProduct.h"
#include "sysinfo/RegistryText_win.h"
#include "sysinfo/UninstallEntries_win.h"

namespace Common {

std::u16string LookUpUninstallString() {
    std::u16string command;
    VisitUninstallEntries(kProductDisplayName, [&command](HKEY entry) {
        if (auto text = RegistryText::Read(entry, u"UninstallString", 100)) command = std::move(*text);
        return false;  // go on: the last matching entry wins
    });
    return command;
}

std::u16string FindUninstallString() {
    static std::u16string cached;
    if (cached.empty()) cached = LookUpUninstallString();
    return cached;
}

}  // namespace Common
