#include "common/ProductQueries.h"

#include <gtest/gtest.h>

#include "common/FileSize.h"
#include "common/OwnProductVersion.h"
#include "packages/TestPackages.h"

namespace {

constexpr char16_t kUnknownCode[] = u"{00000000-0000-0000-0000-000000000000}";

TEST(ProductQueries, ProductsThatAreNotInstalled) {
    EXPECT_EQ(Common::InstalledProductName(kUnknownCode), u"");
    EXPECT_EQ(Common::InstalledProductName(u"not a product code"), u"");
    EXPECT_FALSE(Common::IsProductInstalled(u"Corvane Product That Is Not There"));
    EXPECT_EQ(Common::InstalledProductInfo(u"Corvane Product That Is Not There", u"VersionString"), u"");
    EXPECT_FALSE(Common::GetInstalledVersion(u"Corvane Product That Is Not There").has_value());
}

TEST(ProductQueries, TheEnumerationEnds) {
    const auto codes = Common::InstalledProductCodes();
    for (const auto& code : codes) EXPECT_EQ(code.size(), 38u);
}

TEST(OwnProductVersion, AProgramWithoutVersionResourceIsUnknown) {
    EXPECT_EQ(Common::OwnProductVersion(), u"unknown");
}

TEST(FileSize, FilesOnTheWindowsSide) {
    EXPECT_GT(Common::FileSize(TestPackages::ProductStub()), 10000u);
    EXPECT_EQ(Common::FileSize(TestPackages::ProductStub() + u".missing"), 0u);
    EXPECT_EQ(Common::FileSize(u"C:\\windows"), 0u);
}

}  // namespace
