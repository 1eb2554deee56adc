#include "common/UninstallEntries_win.h"

#include <set>

#include "common/RegistryText_win.h"
#include "common/WideText.h"

namespace {

// Names and values longer than this are not the product's.
constexpr std::size_t kMaxChars = 100;

}  // namespace

void VisitUninstallEntries(const std::u16string& displayName, const std::function<bool(HKEY entry)>& visit) {
    const auto uninstall = RegistryText::OpenForReading(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
    if (!uninstall) return;
    // Each index is asked once, so the walk ends; a name seen before (keys
    // added meanwhile shift the indexes) is not visited twice.
    std::set<std::u16string> seen;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxChars + 1];
        DWORD length = kMaxChars + 1;
        const LONG status = RegEnumKeyExW(uninstall.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue;  // a longer name: some other product
        if (status != ERROR_SUCCESS) return;      // no more items, or an enumeration that cannot go on
        const std::u16string subkey = Common::FromWide(name, length);
        if (!seen.insert(subkey).second) continue;
        const auto entry = RegistryText::OpenForReading(uninstall.Get(), subkey);
        if (!entry) continue;
        const auto entryName = RegistryText::Read(entry.Get(), u"DisplayName", kMaxChars);
        if (entryName && *entryName == displayName && visit(entry.Get())) return;
    }
}
