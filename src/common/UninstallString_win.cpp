#include "common/UninstallString.h"

#include "common/ProductIdentity.h"
#include "common/RegistryText_win.h"
#include "common/UninstallEntries_win.h"

namespace Common {

std::u16string LookUpUninstallString() {
    std::u16string command;
    VisitUninstallEntries(Product::kName, [&command](HKEY entry) {
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
