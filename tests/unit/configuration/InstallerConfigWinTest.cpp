#include <windows.h>

#include <gtest/gtest.h>

#include "DeploymentValues.h"
#include "common/Registry.h"
#include "configuration/InstallerConfig.h"

namespace {

using namespace Common;

constexpr char16_t kTestKey[] = u"Software\\Corvane Tests\\InstallerConfig";

class InstallerConfigRegistry : public testing::Test {
protected:
    void SetUp() override {
        Registry::DeleteKeyTree(HKEY_CURRENT_USER, kTestKey);
        config.SetLinksKey(RegistryRoot::CurrentUser, kTestKey);
    }
    void TearDown() override { Registry::DeleteKeyTree(HKEY_CURRENT_USER, kTestKey); }

    // The raw bytes of a value, to see whether its NUL was stored.
    std::vector<std::uint8_t> RawValue(const std::u16string& name) {
        return Registry::ReadBinary(HKEY_CURRENT_USER, kTestKey, name);
    }

    InstallerConfig config;
};

TEST_F(InstallerConfigRegistry, SavesTheNineLinksWithoutTheirNul) {
    config.SetStampEntries({u"support_link=http://s", u"DOWNLOAD_LINK=http://d", u"JOIN_LINK=j=1",
                            u"THANKYOU_LINK=", u"OCR_LINK=o"});
    config.SaveLinkSettings();

    std::u16string support;
    Registry::ReadString(HKEY_CURRENT_USER, kTestKey, u"SUPPORT_LINK", support);
    EXPECT_EQ(support, u"http://s");
    std::u16string join;
    Registry::ReadString(HKEY_CURRENT_USER, kTestKey, u"JOIN_LINK", join);
    EXPECT_EQ(join, u"j=1");
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kTestKey, u"THANKYOU_LINK", REG_NONE), DWORD(REG_SZ));
    // Not a link the product reads: stays out of the registry.
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kTestKey, u"DOWNLOAD_LINK", REG_NONE), DWORD(REG_NONE));
}

TEST_F(InstallerConfigRegistry, SavesTheInstallDirWithItsNul) {
    EXPECT_FALSE(config.SaveInstallDir());  // nothing chosen yet
    config.SetInstallDir(u"D:\\Corvane 2013");
    ASSERT_TRUE(config.SaveInstallDir());
    EXPECT_EQ(RawValue(u"INSTALL_DIR").size(), (15u + 1u) * 2u);
}

TEST_F(InstallerConfigRegistry, ThankYouLinkFallsBackToRegistryThenDefault) {
    EXPECT_EQ(config.ThankYouLink(), Deployment::kDefaultThankYouLink);  // no key at all

    Registry::WriteString(HKEY_CURRENT_USER, kTestKey, u"THANKYOU_LINK", u"http://stored/thanks");
    EXPECT_EQ(config.ThankYouLink(), u"http://stored/thanks");

    config.SetStampEntries({u"THANKYOU_LINK=http://stamped/thanks"});
    config.ApplyStampSettings();
    EXPECT_EQ(config.ThankYouLink(), u"http://stamped/thanks");
}

TEST(InstallerConfigFolders, DownloadFolderIsCreatedUnderApplicationData) {
    InstallerConfig config;
    const std::u16string folder = config.DownloadFolder();
    ASSERT_GT(folder.size(), 3u);
    const std::u16string tail = u"\\Corvane Software\\Installation";
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(folder.c_str()));
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(InstallerConfigFolders, DefaultInstallDirIsInProgramFiles) {
    const std::u16string dir = InstallerConfig().DefaultInstallDir();
    EXPECT_EQ(dir.substr(dir.size() - 13), u"\\Corvane 2013");
    EXPECT_NE(dir.find(u"Program Files"), std::u16string::npos);
}

TEST(InstallerConfigFolders, RealFreeSpaceOfTheSystemDrive) {
    const auto check = InstallerConfig().CheckFreeSpace(u"C:\\Program Files\\Corvane 2013");
    ASSERT_TRUE(check);
    EXPECT_TRUE(check->text.size() > 3);
    EXPECT_FALSE(InstallerConfig().CheckFreeSpace(u"?:\\nowhere"));
}

TEST(InstallerConfigStamp, ThisProgramCarriesNoStampBlock) {
    InstallerConfig config;
    config.SetStampEntries({u"WID=stale"});
    EXPECT_FALSE(config.ReadStampBlock());
    EXPECT_TRUE(config.StampEntries().empty());
}

}  // namespace
