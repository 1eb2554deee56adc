#include "msi/PackageDatabase.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/WinHandles.h"
#include "packages/TestPackages.h"

namespace {

using MSIInstaller::PackageDatabase;
using TestPackages::Package;

TEST(PackageDatabase, ReadsTheProductVersionOfEachPackage) {
    for (const char16_t* version : {u"3.0.12.345", u"3.0.13.0", u"2.9.99.99"}) {
        PackageDatabase database;
        ASSERT_TRUE(database.Open(Package(u"Corvane2013-" + std::u16string(version) + u".msi")));
        EXPECT_EQ(database.LastResult(), 0u);
        std::u16string text;
        EXPECT_TRUE(database.ReadProductVersion(text));
        EXPECT_EQ(text, version);
    }
}

TEST(PackageDatabase, APackageWithoutProductVersionLeavesTheTextAlone) {
    PackageDatabase database;
    ASSERT_TRUE(database.Open(Package(u"NoVersion.msi")));
    std::u16string text = u"unchanged";
    EXPECT_TRUE(database.ReadProductVersion(text));
    EXPECT_EQ(text, u"unchanged");
    EXPECT_EQ(database.LastResult(), static_cast<std::uint32_t>(ERROR_NO_MORE_ITEMS));
}

TEST(PackageDatabase, FilesThatAreNoPackagesDoNotOpen) {
    for (const char16_t* name : {u"NotAPackage.msi", u"Empty.msi", u"Missing.msi"}) {
        PackageDatabase database;
        EXPECT_FALSE(database.Open(Package(name))) << testing::PrintToString(std::u16string(name));
        EXPECT_NE(database.LastResult(), 0u);
        EXPECT_FALSE(database.IsOpen());
        std::u16string text = u"unchanged";
        EXPECT_FALSE(database.ReadProductVersion(text));
        EXPECT_EQ(database.LastResult(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(text, u"unchanged");
    }
}

TEST(PackageDatabase, ALockedPackageDoesNotOpen) {
    const std::u16string path = Package(u"NoFiles.msi");
    Common::UniqueFile lock(CreateFileW(Common::AsWide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    PackageDatabase database;
    EXPECT_FALSE(database.Open(path));
    lock.Reset();
    EXPECT_TRUE(database.Open(path));
}

TEST(PackageDatabase, CloseAndOpenAgain) {
    PackageDatabase database;
    ASSERT_TRUE(database.Open(Package(u"NoFiles.msi")));
    database.Close();
    EXPECT_FALSE(database.IsOpen());
    EXPECT_EQ(database.LastResult(), 0u);
    std::u16string text;
    EXPECT_FALSE(database.ReadProductVersion(text));
    ASSERT_TRUE(database.Open(Package(u"Corvane2013-3.0.13.0.msi")));
    ASSERT_TRUE(database.Open(Package(u"NoFiles.msi")));  // the first one is closed on the way
    EXPECT_TRUE(database.ReadProductVersion(text));
    EXPECT_EQ(text, u"1.0.0.1");
}

}  // namespace
