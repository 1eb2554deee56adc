#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "common/Registry.h"
#include "common/WideText.h"
#include "language/AsLanguage_Manager.h"
#include "language/RegistryLanguageSetting.h"

namespace {

constexpr char16_t kTestKey[] = u"Software\\Corvane Tests\\Language";
constexpr char16_t kValue[] = u"Language";

class RegistryLanguageSettingTest : public testing::Test {
protected:
    void SetUp() override { Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kTestKey); }
};

TEST_F(RegistryLanguageSettingTest, AMissingKeyIsCreatedAndReadsAsNothing) {
    RegistryLanguageSetting setting(kTestKey);
    EXPECT_EQ(setting.Load(), std::nullopt);
    EXPECT_NO_THROW(Common::Registry::EnumSubKeys(HKEY_CURRENT_USER, kTestKey));
}

TEST_F(RegistryLanguageSettingTest, ReadsExactlyFourBytesOfAnyType) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<BYTE> bytes;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"dword 5", REG_DWORD, {5, 0, 0, 0}, 5},
        {"dword 6", REG_DWORD, {6, 0, 0, 0}, 6},
        {"dword -1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {"four binary bytes", REG_BINARY, {3, 0, 0, 0}, 3},
        {"the text \"2\"", REG_SZ, {'2', 0, 0, 0}, 0x32},
        {"qword", REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}, std::nullopt},
        {"two bytes", REG_BINARY, {2, 0}, std::nullopt},
        {"no bytes", REG_BINARY, {}, std::nullopt},
    };
    RegistryLanguageSetting setting(kTestKey);
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Common::AsWide(kTestKey), Common::AsWide(kValue), c.type,
                                  c.bytes.data(), static_cast<DWORD>(c.bytes.size())),
                  ERROR_SUCCESS);
        EXPECT_EQ(setting.Load(), c.expected) << c.what;
    }
}

TEST_F(RegistryLanguageSettingTest, SaveWritesADword) {
    RegistryLanguageSetting setting(kTestKey);
    setting.Save(Language::Italian);
    EXPECT_EQ(Common::Registry::ValueType(HKEY_CURRENT_USER, kTestKey, kValue, REG_NONE), DWORD(REG_DWORD));
    EXPECT_EQ(Common::Registry::ReadDword(HKEY_CURRENT_USER, kTestKey, kValue), 4u);
    EXPECT_EQ(setting.Load(), Language::Italian);
}

TEST_F(RegistryLanguageSettingTest, TheManagerStartsInAValidStoredLanguageOnly) {
    const std::pair<std::optional<DWORD>, LanguageId> cases[] = {
        {std::nullopt, Language::English}, {5, Language::Japanese}, {6, Language::English},
        {0xFFFFFFFF, Language::English},   {2, Language::German},
    };
    for (const auto& [stored, expected] : cases) {
        Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kTestKey);
        if (stored) Common::Registry::WriteDword(HKEY_CURRENT_USER, kTestKey, kValue, *stored);
        RegistryLanguageSetting setting(kTestKey);
        AsLanguage_Manager manager(setting);
        EXPECT_EQ(manager.Current_Language(), expected);
    }
}

// The value as it stood in the user's real settings key, put back afterwards.
class SavedRealValue {
public:
    SavedRealValue() {
        DWORD size = sizeof(data_);
        existed_ = RegGetValueW(HKEY_CURRENT_USER, Common::AsWide(RegistryLanguageSetting::kSettingsKey),
                                Common::AsWide(kValue), RRF_RT_ANY, &type_, data_, &size) == ERROR_SUCCESS;
        size_ = size;
    }
    ~SavedRealValue() {
        const wchar_t* key = Common::AsWide(RegistryLanguageSetting::kSettingsKey);
        if (existed_)
            RegSetKeyValueW(HKEY_CURRENT_USER, key, Common::AsWide(kValue), type_, data_, size_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key, Common::AsWide(kValue));
    }

private:
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    BYTE data_[64] = {};
    DWORD size_ = 0;
};

TEST(UserLanguageSetting, KeepsTheChoiceInTheSettingsKey) {
    SavedRealValue saved;
    AsLanguage_Manager manager(UserLanguageSetting());
    manager.Change_Language(Language::Spanish);
    manager.Save_Language();
    EXPECT_EQ(Common::Registry::ReadDword(HKEY_CURRENT_USER, RegistryLanguageSetting::kSettingsKey, kValue), 3u);

    AsLanguage_Manager nextRun(UserLanguageSetting());
    EXPECT_EQ(nextRun.Current_Language(), Language::Spanish);
}

}  // namespace
