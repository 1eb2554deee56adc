// A package file another program holds open without sharing write access.
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

// The file cannot be written: the transfer ends at once as DiskWrite with the
// system's code (the user can close the other program and retry), before any
// transfer request, and nothing is fetched again.
TEST(DiskWriteWinTest, AFileHeldByAnotherProgramEndsTheTransferAtOnce) {
    TestServer::Reset();
    TestServer::MakePackage("p.msi", 100000);
    ScratchFolder folder;
    int reconnects = 0;
    PackageDownloader engine([](std::uint32_t, double, double) {});
    engine.OnReconnecting([&] { ++reconnects; });
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(folder.Path());
    const Common::UniqueFile other(CreateFileW(Common::AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(other);

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::DiskWrite, ERROR_SHARING_VIOLATION));
    EXPECT_EQ(reconnects, 0);
    EXPECT_EQ(TestServer::Journal().size(), 1u);  // the name request alone
}

}  // namespace
