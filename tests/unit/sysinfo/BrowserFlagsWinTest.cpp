#include "sysinfo/BrowserFlags.h"

#include <gtest/gtest.h>

#include "unit/common/RegistryFixtures.h"

namespace {

using RegistryFixtures::SavedText;

constexpr char16_t kExplorerKey[] = u"SOFTWARE\\Microsoft\\Internet Explorer";
constexpr char16_t kFirefoxKey[] = u"SOFTWARE\\Mozilla\\Mozilla Firefox";

struct FlagCase {
    const char16_t* version;  // nullptr: no value
    std::uint32_t flag;
};

TEST(BrowserFlags, InternetExplorerVersionFromTheRegistry) {
    SavedText explorer(HKEY_LOCAL_MACHINE, kExplorerKey, u"Version");
    SavedText firefox(HKEY_LOCAL_MACHINE, kFirefoxKey, u"CurrentVersion");
    firefox.Remove();
    const FlagCase cases[] = {
        {u"6.0.2900", kInternetExplorerIntegration}, {u"9.11.9600", kInternetExplorerIntegration},
        {u"5.5", 0}, {u"10.0", 0}, {nullptr, 0},
    };
    for (const auto& c : cases) {
        if (c.version) explorer.Set(c.version); else explorer.Remove();
        EXPECT_EQ(BrowserFlags(), c.flag) << (c.version ? testing::PrintToString(std::u16string(c.version)) : "none");
    }
}

TEST(BrowserFlags, FirefoxVersionFromTheRegistry) {
    SavedText explorer(HKEY_LOCAL_MACHINE, kExplorerKey, u"Version");
    SavedText firefox(HKEY_LOCAL_MACHINE, kFirefoxKey, u"CurrentVersion");
    explorer.Set(u"5.0");
    const FlagCase cases[] = {
        {u"3.6.13 (en-US)", kFirefoxIntegration}, {u"12.0 (en-US)", kFirefoxIntegration},
        {u"2.0.0.20", 0}, {u"3", 0}, {nullptr, 0},
    };
    for (const auto& c : cases) {
        if (c.version) firefox.Set(c.version); else firefox.Remove();
        EXPECT_EQ(BrowserFlags(), c.flag) << (c.version ? testing::PrintToString(std::u16string(c.version)) : "none");
    }
    explorer.Set(u"8.0.6001");
    firefox.Set(u"3.6.13 (en-US)");
    EXPECT_EQ(BrowserFlags(), kInternetExplorerIntegration | kFirefoxIntegration);
}

}  // namespace
