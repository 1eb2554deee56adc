#include "configuration/InstallerConfig.h"

#include <gtest/gtest.h>

#include "DeploymentValues.h"

namespace {

// Entries as the stamp list holds them: the one given last to "-build" first.
InstallerConfig ConfigWithStamp(std::vector<std::u16string> entries) {
    InstallerConfig config;
    config.SetStampEntries(std::move(entries));
    config.ApplyStampSettings();
    return config;
}

TEST(InstallerConfig, AppliesStampSettings) {
    auto config = ConfigWithStamp({
        u"download_link=http://lower/case",  // given last
        u"THANKYOU_LINK=http://thanks/?a=b=c",
        u"JOIN_LINK=partner", u"COUNTRY_ISO2=DE", u"WID=42", u"DOWNLOAD_MSI_VERSION=3.0.12.345",
        u"SUPPORT_LINK=not a config field", u"download_sha256=ABC123",
        u"DOWNLOAD_LINK=http://upper/case",  // given first: wins
    });
    EXPECT_EQ(config.DownloadLink(), u"http://upper/case");
    EXPECT_EQ(config.StampedThankYouLink(), u"http://thanks/?a=b=c");
    EXPECT_EQ(config.JoinLink(), u"partner");
    EXPECT_EQ(config.CountryCode(), u"DE");
    EXPECT_EQ(config.WebId(), u"42");
    EXPECT_EQ(config.PackageVersionText(), u"3.0.12.345");
    EXPECT_EQ(config.PackageDigestText(), u"ABC123");
    EXPECT_EQ(InstallerConfig().PackageDigestText(), u"");
}

TEST(InstallerConfig, LowerCaseKeyAloneSetsTheDownloadLink) {
    EXPECT_EQ(ConfigWithStamp({u"download_link=http://x/y.msi"}).DownloadLink(), u"http://x/y.msi");
}

TEST(InstallerConfig, EntryWithoutEqualsEndsTheWalk) {
    auto config = ConfigWithStamp({u"WID=1", u"garbage", u"JOIN_LINK=unseen"});
    EXPECT_EQ(config.WebId(), u"1");
    EXPECT_EQ(config.JoinLink(), u"");
}

TEST(InstallerConfig, DownloadLinkDefaultsToTheBuiltInAddress) {
    InstallerConfig config;
    EXPECT_EQ(config.DownloadLink(), Deployment::kDefaultDownloadLink);
    auto stamped = ConfigWithStamp({u"DOWNLOAD_LINK=http://mirror/p.msi"});
    stamped.ResetDownloadLink();
    EXPECT_EQ(stamped.DownloadLink(), Deployment::kDefaultDownloadLink);
    EXPECT_NE(std::u16string(Deployment::kDefaultDownloadLink).find(u"/download.asp"), std::u16string::npos);
}

TEST(InstallerConfig, FallingBackToTheBuiltInAddressNeverLeavesHttps) {
    const struct {
        const char16_t* current;
        const char16_t* builtIn;
        const char16_t* expected;
    } cases[] = {
        {u"http://mirror/p.msi", u"http://default/download.asp", u"http://default/download.asp"},
        {u"http://mirror/p.msi", u"https://default/download.asp", u"https://default/download.asp"},
        {u"https://mirror/p.msi", u"https://default/download.asp", u"https://default/download.asp"},
        {u"https://mirror/p.msi", u"http://default/download.asp", u"https://mirror/p.msi"},
        {u"HTTPS://mirror/p.msi", u"http://default/download.asp", u"HTTPS://mirror/p.msi"},
        {u"", u"http://default/download.asp", u"http://default/download.asp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FallbackDownloadLink(c.current, c.builtIn), c.expected) << testing::PrintToString(std::u16string(c.current));
    }
}

TEST(InstallerConfig, BuildsTheFeatureString) {
    struct Case {
        std::uint32_t bits;
        const char16_t* expected;
    };
    const Case cases[] = {
        {0, u"ADDLOCAL=MainProgram"},
        {kFeatureWord | kFeatureShell, u"ADDLOCAL=MainProgram,Inregr2007Word,IntegrShell"},
        {0x3FE0,
         u"ADDLOCAL=MainProgram,Inregr2007Word,Inregr2007Excel,Inregr2007Outlok,Inregr2007PowerPoint,"
         u"Inregr2007Publisher,IntegrShell,IntegrIE,IntegrFirefox,Previewer"},
        {0x1F | 0x4000 | kFeaturePreviewer, u"ADDLOCAL=MainProgram,Previewer"},  // unknown bits add nothing
    };
    InstallerConfig config;
    EXPECT_EQ(config.FeatureString(), cases[2].expected);  // everything until the user chooses
    for (const auto& c : cases) {
        config.BuildFeatureString(c.bits);
        EXPECT_EQ(config.FeatureString(), c.expected);
        EXPECT_EQ(config.FeatureFlags(), c.bits);
    }
}

TEST(InstallerConfig, DescribesFreeSpaceAtItsBoundaries) {
    struct Case {
        std::uint64_t bytes;
        bool enough;
        const char16_t* text;
    };
    const Case cases[] = {
        {0, false, u"0 MB"},
        {104857599, false, u"99 MB"},
        {104857600, true, u"100 MB"},
        {1073741824, true, u"1024 MB"},
        {1073741825, true, u"1 GB"},
        {5ull * 1073741824 - 1, true, u"4 GB"},
        {3ull << 40, true, u"3072 GB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const auto check = DescribeFreeSpace(c.bytes);
        EXPECT_EQ(check.enough, c.enough);
        EXPECT_EQ(check.text, c.text);
    }
}

TEST(InstallerConfig, AsksTheProbeForTheDriveRoot) {
    InstallerConfig config;
    std::u16string asked;
    config.SetFreeSpaceProbe([&](const std::u16string& root) -> std::optional<std::uint64_t> {
        asked = root;
        return 200ull << 20;
    });
    const auto check = config.CheckFreeSpace(u"D:\\Programs\\Corvane 2013");
    EXPECT_EQ(asked, u"D:\\");
    ASSERT_TRUE(check);
    EXPECT_TRUE(check->enough);
    EXPECT_EQ(check->text, u"200 MB");

    config.SetFreeSpaceProbe([](const std::u16string&) { return std::optional<std::uint64_t>(); });
    EXPECT_FALSE(config.CheckFreeSpace(u"Q:\\"));  // the caller keeps what it showed before
}

TEST(InstallerConfig, AddsTheLanguageToTheThankYouLink) {
    EXPECT_EQ(WithLanguageQuery(u"http://h/thanks.aspx", u"de"), u"http://h/thanks.aspx?lang=de");
    EXPECT_EQ(WithLanguageQuery(u"http://h/t.aspx?utm=1", u"jp"), u"http://h/t.aspx?utm=1&lang=jp");
}

TEST(InstallerConfig, PutsTheProductFolderIntoTheChosenFolder) {
    EXPECT_EQ(InstallDirInFolder(u"D:\\"), u"D:\\Corvane 2013");
    EXPECT_EQ(InstallDirInFolder(u"D:\\Apps"), u"D:\\Apps\\Corvane 2013");
}

}  // namespace
