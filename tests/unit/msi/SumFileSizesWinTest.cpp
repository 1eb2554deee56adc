#include <gtest/gtest.h>

#include "common/FileSize.h"
#include "msi/Installer.h"
#include "packages/TestPackages.h"
#include "unit/msi/ScratchDatabase.h"

namespace {

using namespace MSIInstaller;
using TestPackages::Package;

// The first words of an error's text, or "" when nothing was raised.
std::u16string RaisedText(const std::u16string& path) {
    try {
        SumFileSizes(path);
    } catch (const Error& error) {
        return error.Text();
    }
    return {};
}

bool StartsWith(const std::u16string& text, const std::u16string& start) { return text.rfind(start, 0) == 0; }

TEST(SumFileSizes, AddsTheFileSizesOfThePackage) {
    // The product program and the feature files of make_payload.py.
    const std::uint64_t expected = Common::FileSize(TestPackages::ProductStub()) + 2097152 + 9 * 262144;
    EXPECT_EQ(SumFileSizes(Package(u"Corvane2013-3.0.12.345.msi")), static_cast<std::int32_t>(expected));
    EXPECT_EQ(SumFileSizes(Package(u"NoFiles.msi")), 0);
}

TEST(SumFileSizes, FilesThatAreNoPackagesRaise) {
    for (const char16_t* name : {u"NotAPackage.msi", u"Empty.msi", u"Missing.msi"}) {
        const auto text = RaisedText(Package(name));
        // Opening fails (a fatal error) or leaves no database to query.
        EXPECT_TRUE(StartsWith(text, u"ERROR: MsiOpenDatabase return ") ||
                    text == u"ERROR: MsiDatabaseOpenView return ERROR_INVALID_HANDLE - An invalid or inactive handle "
                            u"was supplied.")
            << testing::PrintToString(text);
    }
}

TEST(SumFileSizes, BrokenFileTablesRaise) {
    const auto folder = std::filesystem::temp_directory_path();
    const auto nullSize = folder / "corvane-null-size.msi";
    ASSERT_TRUE(ScratchDatabase::Create(nullSize, {
        L"CREATE TABLE `File` (`File` CHAR(72) NOT NULL, `FileSize` LONG PRIMARY KEY `File`)",
        L"INSERT INTO `File` (`File`, `FileSize`) VALUES ('a.dat', 10)",
        L"INSERT INTO `File` (`File`) VALUES ('b.dat')",
    }));
    EXPECT_EQ(RaisedText(nullSize.u16string()), u"ERROR: MsiRecordGetInteger return MSI_NULL_INTEGER");

    const auto noTable = folder / "corvane-no-file-table.msi";
    ASSERT_TRUE(ScratchDatabase::Create(noTable, {L"CREATE TABLE `Other` (`Key` CHAR(72) NOT NULL PRIMARY KEY `Key`)"}));
    const auto text = RaisedText(noTable.u16string());
    std::printf("a database without File table: %s\n", testing::PrintToString(text).c_str());
    EXPECT_TRUE(StartsWith(text, u"ERROR: MsiDatabaseOpenView return ")) << testing::PrintToString(text);
    std::filesystem::remove(nullSize);
    std::filesystem::remove(noTable);
}

}  // namespace
