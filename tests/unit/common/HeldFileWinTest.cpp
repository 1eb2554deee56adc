#include "common/HeldFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/WideText.h"
#include "common/WinHandles.h"

namespace {

using Common::AsWide;

class HeldFile : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = Common::FromWide(temp) + u"corvane-held-file.msi";
        moved = path + u".moved";
        Write(std::string(1000000, 'a'));  // more than one read of the digest
    }
    void TearDown() override {
        DeleteFileW(AsWide(path));
        DeleteFileW(AsWide(moved));
    }

    void Write(const std::string& bytes) {
        Common::UniqueFile file(
            CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    }

    // Another program's open, with every kind of sharing offered.
    Common::UniqueFile OpenElsewhere(DWORD access) const {
        return Common::UniqueFile(CreateFileW(AsWide(path), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    std::u16string path;
    std::u16string moved;
};

TEST_F(HeldFile, NobodyCanWriteRenameOrDeleteItWhileHeld) {
    auto held = Common::HoldFile(path);
    ASSERT_TRUE(held);

    EXPECT_FALSE(OpenElsewhere(GENERIC_WRITE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileW(AsWide(path)));
    EXPECT_FALSE(MoveFileW(AsWide(path), AsWide(moved)));
    Common::UniqueFile(CreateFileW(AsWide(moved), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_FALSE(MoveFileExW(AsWide(moved), AsWide(path), MOVEFILE_REPLACE_EXISTING)) << "replaced by another file";
    EXPECT_TRUE(OpenElsewhere(GENERIC_READ)) << "readers such as the installer service still open it";

    held.reset();
    EXPECT_TRUE(OpenElsewhere(GENERIC_WRITE));
    EXPECT_TRUE(MoveFileExW(AsWide(moved), AsWide(path), MOVEFILE_REPLACE_EXISTING));
}

TEST_F(HeldFile, AFileOpenForWritingElsewhereOrMissingIsNotHeld) {
    {
        const auto writer = OpenElsewhere(GENERIC_WRITE);
        ASSERT_TRUE(writer);
        EXPECT_FALSE(Common::HoldFile(path));
    }
    EXPECT_FALSE(Common::HoldFile(path + u".missing"));
}

TEST_F(HeldFile, DigestsTheWholeFileEachTime) {
    auto held = Common::HoldFile(path);
    ASSERT_TRUE(held);
    const auto expected = Common::ParseSha256(u"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    EXPECT_EQ(held->Sha256(), expected);
    EXPECT_EQ(held->Sha256(), expected);
}

}  // namespace
