// Detection against the real Windows Installer: stand-in packages with the
// product codes of Office products are installed with chosen features.
#include "common/OfficeDetection.h"

#include <gtest/gtest.h>

#include "common/ProductQueries.h"
#include "packages/TestPackages.h"

namespace {

using namespace Common;

struct StandIn {
    const char16_t* package;
    const char16_t* productCode;
    const char16_t* commandLine;
};

// Suite 2003 without Word; stand-alone Word 2007 (whose own features do not
// matter); a 2007 suite tagged 0030 with Outlook only; a 64-bit 2010 suite
// with everything.
const StandIn kStandIns[] = {
    {u"Office2003Suite.msi", u"{90110409-6000-11D3-8CFE-0150048383C9}", u"ADDLOCAL=EXCELFiles,PPTFiles"},
    {u"Office2007Word.msi", u"{90120000-001B-0000-0000-0000000FF1CE}", u"ADDLOCAL=OUTLOOKFiles"},
    {u"Office2007Suite0030.msi", u"{90120000-0030-0000-0000-0000000FF1CE}", u"ADDLOCAL=OUTLOOKFiles"},
    {u"Office2010Suite64.msi", u"{90140000-0011-0000-1000-0000000FF1CE}", u"ADDLOCAL=ALL"},
};

class OfficeDetectionTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const auto& standIn : kStandIns) {
            ASSERT_EQ(TestPackages::InstallPackage(TestPackages::Package(standIn.package), standIn.commandLine), 0u)
                << testing::PrintToString(std::u16string(standIn.package));
        }
    }
    static void TearDownTestSuite() {
        for (const auto& standIn : kStandIns) TestPackages::RemoveProduct(standIn.productCode);
    }
};

TEST_F(OfficeDetectionTest, TheStandInsAreInstalled) {
    const auto codes = InstalledProductCodes();
    for (const auto& standIn : kStandIns) {
        EXPECT_NE(std::find(codes.begin(), codes.end(), standIn.productCode), codes.end())
            << testing::PrintToString(std::u16string(standIn.productCode));
    }
}

TEST_F(OfficeDetectionTest, ProductsMatchByCodeAndSuiteFeature) {
    const auto& suite2003 = kStandIns[0].productCode;
    const auto& word2007 = kStandIns[1].productCode;
    const auto& suite2007 = kStandIns[2].productCode;
    const auto& suite2010 = kStandIns[3].productCode;
    EXPECT_TRUE(MatchesOfficeProduct(kOfficeExcel, kOffice2003, suite2003));
    EXPECT_TRUE(MatchesOfficeProduct(kOfficePowerPoint, kOffice2003, suite2003));
    EXPECT_FALSE(MatchesOfficeProduct(kOfficeWord, kOffice2003, suite2003));  // WORDFiles absent
    EXPECT_TRUE(MatchesOfficeProduct(kOfficeWord, kOffice2007, word2007));     // WORDFiles absent, stand-alone
    EXPECT_TRUE(MatchesOfficeProduct(kOfficeOutlook, kOffice2007, suite2007));
    EXPECT_FALSE(MatchesOfficeProduct(kOfficeWord, kOffice2007, suite2007));
    EXPECT_TRUE(MatchesOfficeProduct(kOfficeWord, kOffice2010, suite2010));
}

TEST_F(OfficeDetectionTest, InstalledApplicationsAndTheirBits) {
    EXPECT_TRUE(IsOfficeAppInstalled(kOfficeExcel, kOffice2003));
    EXPECT_FALSE(IsOfficeAppInstalled(kOfficeWord, kOffice2003));
    EXPECT_TRUE(IsOfficeAppInstalled(kOfficeWord, kOffice2007));
    EXPECT_TRUE(IsOfficeAppInstalled(kOfficeOutlook, kOffice2007));
    EXPECT_FALSE(IsOfficeAppInstalled(kOfficeExcel, kOffice2007));
    EXPECT_FALSE(IsOfficeAppInstalled(kOfficeWord, kOffice2010));  // 64-bit only
    // Excel 2003, PowerPoint 2003, Word 2007, Outlook 2007.
    EXPECT_EQ(DetectInstalledApplications(), 0x4u | 0x10u | 0x20u | 0x80u);
}

}  // namespace
