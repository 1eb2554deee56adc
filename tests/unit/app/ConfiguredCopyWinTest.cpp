#include <windows.h>

#include <gtest/gtest.h>

#include "app/ConfiguredCopy.h"
#include "common/FileSystem.h"
#include "common/WideText.h"
#include "configuration/StampBlock.h"

namespace {

using Common::AsWide;

class ConfiguredCopy : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = Common::FromWide(temp) + u"corvane-build-test";
        CreateDirectoryW(AsWide(folder), nullptr);
        target = folder + u"\\configured.exe";
        Remove(target);
    }
    void TearDown() override {
        Remove(target);
        RemoveDirectoryW(AsWide(folder));
    }
    static void Remove(const std::u16string& path) {
        SetFileAttributesW(AsWide(path), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(AsWide(path));
    }
    static bool Exists(const std::u16string& path) {
        return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
    }

    std::u16string folder;
    std::u16string target;
};

TEST_F(ConfiguredCopy, AppendsTheBlockToAFullCopy) {
    const auto self = Common::ReadWholeFile(Common::ModulePath());
    ASSERT_TRUE(self);
    ASSERT_EQ(BuildConfiguredCopy(Common::ModulePath(), target, {u"A=1", u"B=2"}), BuildResult::Built);

    const auto copy = Common::ReadWholeFile(target);
    ASSERT_TRUE(copy);
    const auto block = StampBlock::Encode({u"A=1", u"B=2"});
    ASSERT_EQ(copy->size(), self->size() + block.size());
    EXPECT_TRUE(std::equal(self->begin(), self->end(), copy->begin()));
    EXPECT_TRUE(std::equal(block.begin(), block.end(), copy->begin() + self->size()));
    EXPECT_FALSE(Exists(target + u".partial"));
}

TEST_F(ConfiguredCopy, FailuresLeaveNothingThatLooksConfigured) {
    EXPECT_EQ(BuildConfiguredCopy(Common::ModulePath(), folder + u"\\missing\\copy.exe", {u"A=1"}),
              BuildResult::CopyFailed);
    EXPECT_FALSE(Exists(folder + u"\\missing\\copy.exe.partial"));

    EXPECT_EQ(BuildConfiguredCopy(Common::ModulePath(), target, {}), BuildResult::NothingToBuild);
    EXPECT_FALSE(Exists(target));

    // A read-only target stays as it was.
    HANDLE file = CreateFileW(AsWide(target), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "old", 3, &written, nullptr);
    CloseHandle(file);
    SetFileAttributesW(AsWide(target), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(BuildConfiguredCopy(Common::ModulePath(), target, {u"A=1"}), BuildResult::CopyFailed);
    EXPECT_EQ(Common::ReadWholeFile(target)->size(), 3u);
    EXPECT_FALSE(Exists(target + u".partial"));
}

}  // namespace
