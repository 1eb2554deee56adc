#include <windows.h>

#include "common/WideText.h"
#include "common/WinHandles.h"
#include "language/RegistryLanguageSetting.h"

namespace {

// Full access, as the installer runs with administrator rights; the key is
// created when it does not exist yet.
Common::UniqueKey OpenOrCreateKey(const std::u16string& path) {
    Common::UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Common::AsWide(path), 0, KEY_ALL_ACCESS, key.Put()) == ERROR_SUCCESS)
        return key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Common::AsWide(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.Put(), nullptr) == ERROR_SUCCESS)
        return key;
    return Common::UniqueKey();
}

}  // namespace

RegistryLanguageSetting::RegistryLanguageSetting(std::u16string keyPath) : keyPath_(std::move(keyPath)) {}

std::optional<std::int32_t> RegistryLanguageSetting::Load() {
    Common::UniqueKey key = OpenOrCreateKey(keyPath_);
    if (!key) return std::nullopt;
    std::int32_t value = 0;
    DWORD size = sizeof(value);
    const LONG result = RegQueryValueExW(key.Get(), Common::AsWide(kValueName), nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
    // Larger values do not fit (ERROR_MORE_DATA); shorter ones would fill the
    // number only in part.
    if (result != ERROR_SUCCESS || size != sizeof(value)) return std::nullopt;
    return value;
}

void RegistryLanguageSetting::Save(LanguageId language) {
    Common::UniqueKey key = OpenOrCreateKey(keyPath_);
    if (!key) return;  // best effort
    const DWORD value = static_cast<DWORD>(language);
    RegSetValueExW(key.Get(), Common::AsWide(kValueName), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof(value));
}

ILanguageSetting& UserLanguageSetting() {
    static RegistryLanguageSetting setting;
    return setting;
}
