// The engine against a disk that will not take the package: an announced
// length beyond the free space ends the transfer before its first byte, and
// what a refused write left is continued by the next Download.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "DownloadTestSupport.h"
#include "RefServer.h"
#include "download/PackageDownloader.h"

namespace {

using namespace DownloadTestSupport;
using TestServer::Url;

constexpr std::int32_t kNoRoom = -5;

DownloadTimeouts QuickRetries(int attempts) {
    DownloadTimeouts timeouts;
    timeouts.transferAttempts = attempts;
    timeouts.firstReconnectDelayMilliseconds = 10;
    return timeouts;
}

class DiskWriteTest : public ::testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }

    static PackageDownloader Engine(int attempts = 5) {
        return PackageDownloader([](std::uint32_t, double, double) {}, QuickRetries(attempts));
    }

    ScratchFolder folder_;
};

// The free space the target's volume reports against the length the server
// announces: a package that cannot fit fails at once, without a byte written
// and without a second attempt; one that fits, or a volume that cannot tell,
// is downloaded.
TEST_F(DiskWriteTest, AnAnnouncedLengthBeyondTheFreeSpaceEndsBeforeTheBody) {
    constexpr std::uint64_t kSize = 100000;
    const struct {
        const char* name;
        std::optional<std::uint64_t> freeBytes;
        bool fits;
    } cases[] = {
        {"one byte too few", kSize - 1, false},
        {"nothing free", 0, false},
        {"exactly enough", kSize, true},
        {"unknown", std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestServer::Reset();
        TestServer::MakePackage("p.msi", kSize);
        PackageDownloader engine = Engine();
        std::vector<std::u16string> asked;
        engine.SetFreeSpaceProbe([&](const std::u16string& folder) {
            asked.push_back(folder);
            return c.freeBytes;
        });
        engine.SetUrl(Wide(Url("/packages/p.msi")));
        const std::u16string path = engine.ResolveTargetPath(folder_.Path());

        if (c.fits) {
            EXPECT_EQ(engine.Download(), path);
            EXPECT_TRUE(TestServer::FileHoldsPattern(path, kSize));
        } else {
            const auto error = DownloadError([&] { engine.Download(); });
            EXPECT_TRUE(IsFailure(error, DownloadFailure::DiskWrite, kNoRoom));
            EXPECT_EQ(engine.LastError(), kNoRoom);
            EXPECT_EQ(TestServer::PatternPrefixLength(path), 0u);
        }
        EXPECT_EQ(TestServer::Journal().size(), 2u);  // the name request and one transfer
        EXPECT_EQ(asked, std::vector<std::u16string>{folder_.Target(u"")});
    }
}

// The system's own answer, against a server that announces a petabyte.
TEST_F(DiskWriteTest, TheSystemsFreeSpaceRefusesAPackageLargerThanAnyDisk) {
    TestServer::MakePackage("p.msi", 1000);
    TestServer::ArmFault("path=/packages/p.msi&mode=huge");
    PackageDownloader engine = Engine();
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(folder_.Path());

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::DiskWrite, kNoRoom));
    EXPECT_EQ(TestServer::PatternPrefixLength(path), 0u);
    EXPECT_EQ(TestServer::Journal().size(), 2u);
}

// The rest of a package that did not fit is continued, not fetched afresh,
// once there is room: the bytes on disk stay for the next Download, which
// asks for the rest under If-Range.
TEST_F(DiskWriteTest, TheNextDownloadContinuesWhatARefusedWriteLeft) {
    constexpr std::uint64_t kSize = 300000;
    constexpr std::uint64_t kCut = 120000;
    TestServer::MakePackage("p.msi", kSize);
    PackageDownloader engine = Engine();
    // Room for the whole package at first; after the cut, none for its rest.
    std::optional<std::uint64_t> room = kSize;
    engine.SetFreeSpaceProbe([&](const std::u16string&) { return std::exchange(room, 0); });
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(folder_.Path());
    TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=" + std::to_string(kCut) + "&times=1");

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::DiskWrite, kNoRoom));
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kCut));

    // The user made room and chose Retry: the wizard names the target again.
    room = kSize;
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    ASSERT_EQ(engine.ResolveTargetPath(folder_.Path()), path);
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kSize));
    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 5u);  // name, cut, refused rest, name, rest
    EXPECT_EQ(journal[2].Header("Range"), "bytes=" + std::to_string(kCut) + "-");
    EXPECT_EQ(journal[4].Header("Range"), "bytes=" + std::to_string(kCut) + "-");
    EXPECT_TRUE(journal[4].Header("If-Range"));
}

}  // namespace
