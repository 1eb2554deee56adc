// The offered version of the configured copy: taken from its package
// version text or asked of the service, and kept in the configuration.
#include "installation/ConfiguredVersionCheck.h"

#include <gtest/gtest.h>

namespace {

class OfferedVersionCache : public testing::Test {
protected:
    void Configure(const std::u16string& packageVersionText) {
        config_.SetStampEntries({u"DOWNLOAD_MSI_VERSION=" + packageVersionText});
        config_.ApplyStampSettings();
    }
    VersionComparison Compare(std::optional<VersionRecord> installed) {
        return CompareInstalledVersion(config_, {[this] {
                                                     ++serviceCalls_;
                                                     return serviceAnswer_;
                                                 },
                                                 [installed] { return installed; }});
    }

    InstallerConfig config_;
    VersionRecord serviceAnswer_;
    int serviceCalls_ = 0;
};

TEST_F(OfferedVersionCache, AConfiguredVersionNeedsNoService) {
    Configure(u"3.0.12.345");
    serviceAnswer_ = {9, 9, 9, 9};
    EXPECT_EQ(Compare(VersionRecord{3, 0, 12, 345}), VersionComparison::SameInstalled);
    EXPECT_EQ(Compare(VersionRecord{3, 0, 13, 0}), VersionComparison::NewerInstalled);
    EXPECT_EQ(Compare(std::nullopt), VersionComparison::NotInstalledOrOlder);
    EXPECT_EQ(serviceCalls_, 0);
    EXPECT_EQ(config_.PackageVersion(), (VersionRecord{3, 0, 12, 345}));
}

TEST_F(OfferedVersionCache, WithoutAUsableConfiguredVersionTheServiceIsAskedUntilItGivesOne) {
    Configure(u"3.0 beta");
    EXPECT_EQ(Compare(VersionRecord{1, 0, 0, 0}), VersionComparison::NewerInstalled);  // against 0.0.0.0
    EXPECT_EQ(Compare(VersionRecord{1, 0, 0, 0}), VersionComparison::NewerInstalled);
    EXPECT_EQ(serviceCalls_, 2);

    serviceAnswer_ = {3, 0, 12, 345};
    EXPECT_EQ(Compare(VersionRecord{3, 0, 12, 345}), VersionComparison::SameInstalled);
    serviceAnswer_ = {4, 0, 0, 0};  // no longer asked: the answer is kept
    EXPECT_EQ(Compare(VersionRecord{3, 0, 12, 345}), VersionComparison::SameInstalled);
    EXPECT_EQ(serviceCalls_, 3);
}

// A first installation needs no offered version: the service, however slow,
// is not asked before the first page.
TEST_F(OfferedVersionCache, WithNothingInstalledTheServiceIsNotAsked) {
    Configure(u"3.0 beta");
    EXPECT_EQ(Compare(std::nullopt), VersionComparison::NotInstalledOrOlder);
    EXPECT_EQ(serviceCalls_, 0);
}

}  // namespace
