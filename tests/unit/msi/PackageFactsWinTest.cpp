#include "msi/PackageFacts.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/FileSize.h"
#include "common/HeldFile.h"
#include "msi/MsiErrors.h"
#include "packages/TestPackages.h"
#include "unit/msi/ScratchDatabase.h"

namespace {

using namespace MSIInstaller;
using TestPackages::Package;

// The text of the failure the installation would raise for the package, or
// "" when it could be measured.
std::u16string MeasureFailureText(const PackageFacts& facts) {
    if (!facts.measureFailure) return {};
    try {
        std::rethrow_exception(facts.measureFailure);
    } catch (const Error& error) {
        return error.Text();
    } catch (...) {
        return u"something other than an installer error";
    }
}

bool StartsWith(const std::u16string& text, const std::u16string& start) { return text.rfind(start, 0) == 0; }

TEST(PackageFacts, ReadsCodeVersionAndFileSizesOfEachPackage) {
    // The product program and the feature files of make_payload.py.
    const auto productSize =
        static_cast<std::int32_t>(Common::FileSize(TestPackages::ProductStub()) + 2097152 + 9 * 262144);
    const struct {
        const char16_t* file;
        const char16_t* code;
        const char16_t* version;
        std::optional<std::int32_t> fileSizeSum;  // the product stubs of other versions differ
    } cases[] = {
        {u"Corvane2013-3.0.12.345.msi", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}", u"3.0.12.345", productSize},
        {u"Corvane2013-3.0.13.0.msi", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73013}", u"3.0.13.0", std::nullopt},
        {u"Corvane2013-2.9.99.99.msi", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A72999}", u"2.9.99.99", std::nullopt},
        {u"NoFiles.msi", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A7C001}", u"1.0.0.1", 0},
        {u"NoVersion.msi", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A7C001}", u"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.file)));
        const PackageFacts facts = ReadPackageFacts(Package(c.file));
        EXPECT_TRUE(facts.isDatabase);
        EXPECT_EQ(facts.productCode, c.code);
        EXPECT_EQ(facts.productVersion, c.version);
        if (c.fileSizeSum) {
            EXPECT_EQ(facts.fileSizeSum, *c.fileSizeSum);
        }
        EXPECT_EQ(MeasureFailureText(facts), u"");
    }
}

// The check reads the facts while it holds the file against changes.
TEST(PackageFacts, AHeldPackageIsRead) {
    const std::u16string package = Package(u"Corvane2013-3.0.12.345.msi");
    const auto held = Common::HoldFile(package);
    ASSERT_TRUE(held);
    EXPECT_EQ(ReadPackageFacts(package).productVersion, u"3.0.12.345");
}

TEST(PackageFacts, FilesThatAreNoPackagesHaveNoFactsAndRaiseAtTheInstallation) {
    for (const char16_t* name : {u"NotAPackage.msi", u"Empty.msi", u"Missing.msi"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(name)));
        const PackageFacts facts = ReadPackageFacts(Package(name));
        EXPECT_FALSE(facts.isDatabase);
        EXPECT_EQ(facts.productVersion, u"");  // the end report then carries no version
        EXPECT_EQ(facts.productCode, u"");
        const auto text = MeasureFailureText(facts);
        EXPECT_TRUE(StartsWith(text, u"ERROR: MsiOpenDatabase return ")) << testing::PrintToString(text);
    }
}

TEST(PackageFacts, BrokenFileTablesRaiseAtTheInstallation) {
    const auto folder = std::filesystem::temp_directory_path();
    const auto nullSize = folder / "corvane-null-size.msi";
    ASSERT_TRUE(ScratchDatabase::Create(nullSize, {
        L"CREATE TABLE `File` (`File` CHAR(72) NOT NULL, `FileSize` LONG PRIMARY KEY `File`)",
        L"INSERT INTO `File` (`File`, `FileSize`) VALUES ('a.dat', 10)",
        L"INSERT INTO `File` (`File`) VALUES ('b.dat')",
    }));
    const PackageFacts nullFacts = ReadPackageFacts(nullSize.u16string());
    EXPECT_TRUE(nullFacts.isDatabase);
    EXPECT_EQ(MeasureFailureText(nullFacts), u"ERROR: MsiRecordGetInteger return MSI_NULL_INTEGER");

    const auto noTable = folder / "corvane-no-file-table.msi";
    ASSERT_TRUE(ScratchDatabase::Create(noTable, {L"CREATE TABLE `Other` (`Key` CHAR(72) NOT NULL PRIMARY KEY `Key`)"}));
    const auto text = MeasureFailureText(ReadPackageFacts(noTable.u16string()));
    std::printf("a database without File table: %s\n", testing::PrintToString(text).c_str());
    EXPECT_TRUE(StartsWith(text, u"ERROR: MsiDatabaseOpenView return ")) << testing::PrintToString(text);
    std::filesystem::remove(nullSize);
    std::filesystem::remove(noTable);
}

}  // namespace
