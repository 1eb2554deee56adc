// The "Language" value of a key below HKEY_CURRENT_USER (Windows builds only).
#pragma once

#include <string>

#include "common/ProductIdentity.h"
#include "language/LanguageSetting.h"

class RegistryLanguageSetting : public ILanguageSetting {
public:
    static constexpr const char16_t* kSettingsKey = Product::kSettingsKey;
    static constexpr const char16_t* kValueName = u"Language";

    explicit RegistryLanguageSetting(std::u16string keyPath = kSettingsKey);

    // Opens the key, creating it when it does not exist. The value's type is not
    // examined, but it must hold exactly four bytes.
    std::optional<std::int32_t> Load() override;
    // Writes a REG_DWORD.
    void Save(LanguageId language) override;

private:
    std::u16string keyPath_;
};
