// A package file another program holds: open without sharing write access,
// or with a range of it locked.
#include <windows.h>

#include <gtest/gtest.h>

#include "DownloadTestSupport.h"
#include "RefServer.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "download/PackageDownloader.h"

namespace {

using namespace DownloadTestSupport;
using TestServer::Url;

// Either way the write is refused: the transfer ends at once as DiskWrite
// with the system's code, whether the open or the first write meets the
// other program, and nothing is fetched again.
TEST(DiskWriteWinTest, AFileHeldByAnotherProgramEndsTheTransferAtOnce) {
    const struct {
        const char* name;
        DWORD access;
        DWORD sharing;
        bool lockRange;
        DWORD code;
    } cases[] = {
        {"held without write sharing", GENERIC_READ, FILE_SHARE_READ, false, ERROR_SHARING_VIOLATION},
        {"a range locked", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true, ERROR_LOCK_VIOLATION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestServer::Reset();
        TestServer::MakePackage("p.msi", 100000);
        ScratchFolder folder;
        int reconnects = 0;
        PackageDownloader engine([](std::uint32_t, double, double) {});
        engine.OnReconnecting([&] { ++reconnects; });
        engine.SetUrl(Wide(Url("/packages/p.msi")));
        const std::u16string path = engine.ResolveTargetPath(folder.Path());

        Common::UniqueFile other(CreateFileW(Common::AsWide(path), c.access, c.sharing, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(other);
        OVERLAPPED whole{};
        if (c.lockRange) {
            ASSERT_TRUE(LockFileEx(other.Get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
        }

        const auto error = DownloadError([&] { engine.Download(); });
        EXPECT_TRUE(IsFailure(error, DownloadFailure::DiskWrite, static_cast<std::int32_t>(c.code)));
        EXPECT_EQ(reconnects, 0);
        EXPECT_LE(TestServer::Journal().size(), 2u);  // the name request, and at most one transfer
        if (c.lockRange) UnlockFileEx(other.Get(), 0, MAXDWORD, MAXDWORD, &whole);
    }
}

}  // namespace
