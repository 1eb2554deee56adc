// A device that refuses every write (/dev/full: "no space left on device").
#include <gtest/gtest.h>

#include <cerrno>

#include "DownloadTestSupport.h"
#include "RefServer.h"
#include "download/PackageDownloader.h"

namespace {

using namespace DownloadTestSupport;
using TestServer::Url;

// The first refused write ends the transfer as DiskWrite with the system's
// code; it is no passing fault of the network, so no attempt follows.
TEST(DiskWriteNativeTest, AFullDeviceEndsTheTransferAtOnceWithoutAnotherAttempt) {
    TestServer::Reset();
    TestServer::MakePackage("full", 100000);
    DownloadTimeouts timeouts;
    timeouts.firstReconnectDelayMilliseconds = 10;
    int reconnects = 0;
    PackageDownloader engine([](std::uint32_t, double, double) {}, timeouts);
    engine.OnReconnecting([&] { ++reconnects; });
    engine.SetFreeSpaceProbe({});  // the device reports no free space of its own
    engine.SetUrl(Wide(Url("/packages/full")));
    ASSERT_EQ(engine.ResolveTargetPath(u"/dev"), u"/dev/full");

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::DiskWrite, ENOSPC));
    EXPECT_EQ(reconnects, 0);
    EXPECT_EQ(TestServer::Journal().size(), 2u);  // the name request and one transfer
}

}  // namespace
