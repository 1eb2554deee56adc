#include "sysinfo/InstalledProduct.h"

#include <gtest/gtest.h>

#include "unit/common/RegistryFixtures.h"

namespace {

using RegistryFixtures::UninstallEntries;

constexpr char16_t kUserEntry[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane 2013";

class FindInstalledProductTest : public testing::Test {
protected:
    void SetUp() override { Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kUserEntry); }
    void TearDown() override { Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kUserEntry); }
};

TEST_F(FindInstalledProductTest, NoEntryMeansNotInstalled) {
    UninstallEntries entries;
    entries.Add(u"Corvane Probe Other", {u"DisplayName", u"Corvane 2014", u"DisplayVersion", u"1.2.3.4"});
    EXPECT_FALSE(FindInstalledProduct().has_value());
}

TEST_F(FindInstalledProductTest, ThePerUserKeyAloneCountsAsInstalledWithoutAVersion) {
    Common::Registry::WriteString(HKEY_CURRENT_USER, kUserEntry, u"DisplayVersion", u"3.0.12.345");
    UninstallEntries entries;
    entries.Add(u"Corvane Probe Machine", {u"DisplayName", u"Corvane 2013", u"DisplayVersion", u"3.0.13.0"});
    EXPECT_EQ(FindInstalledProduct(), VersionRecord{});
}

TEST_F(FindInstalledProductTest, TheFirstExactlyNamedEntryWithAVersionWins) {
    UninstallEntries entries;
    entries.Add(u"Corvane Probe A", {u"DisplayName", u"Corvane 2013"});  // no version: passed over
    entries.Add(u"Corvane Probe B", {u"DisplayName", u"corvane 2013", u"DisplayVersion", u"9.9.9.9"});
    entries.Add(u"Corvane Probe C", {u"DisplayName", u"Corvane 2013", u"DisplayVersion", u"3-0-12-345"});
    entries.Add(u"Corvane Probe D", {u"DisplayName", u"Corvane 2013", u"DisplayVersion", u"3.0.13.0"});
    EXPECT_EQ(FindInstalledProduct(), (VersionRecord{3, 0, 12, 345}));
}

TEST_F(FindInstalledProductTest, AVersionThatIsNotOneReadsAsNone) {
    UninstallEntries entries;
    entries.Add(u"Corvane Probe A", {u"DisplayName", u"Corvane 2013", u"DisplayVersion", u"3.0 beta"});
    EXPECT_EQ(FindInstalledProduct(), VersionRecord{});
}

}  // namespace
