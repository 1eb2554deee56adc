// The download engine and the log poster against servers that misbehave:
// answers cut at random points, answers stalled or slow, answers that are no
// HTTP, servers that never answer and an address that never takes the
// connection. The time-outs are shortened, so that every case ends within a
// few seconds; ctest's time limit on this suite is what catches a hang.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "DownloadTestSupport.h"
#include "HeldDetection.h"
#include "RefServer.h"
#include "download/LogPoster.h"
#include "download/PackageDownloader.h"

namespace {

using namespace std::chrono_literals;
using namespace DownloadTestSupport;
using TestServer::Url;

// Connect within 0.5 s; give up after 1 s below 1 byte per second. libcurl
// measures the speed over the last five seconds, so a transfer that stalls
// after a burst of data ends some six seconds later. One attempt: each fault
// shows as its own failure (taking a transfer up again is tested apart).
constexpr DownloadTimeouts kShortTimeouts{500, 1, 1, 1, 0};
constexpr long kShortLogTimeoutSeconds = 1;

constexpr std::uint64_t kPackageSize = 200000;
const std::string kPackagePath = "/packages/p.msi";

// libcurl's results for the faults.
constexpr int kUnsupportedProtocol = 1;  // an answer without an HTTP status line
constexpr int kPartialFile = 18;         // fewer body bytes than announced
constexpr int kTimedOut = 28;            // no connection, or no data, in time
constexpr int kGotNothing = 52;          // closed without any answer

std::string BlackHoleUrl(const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(TestServer::BlackHolePort()) + path;
}

class DownloadFaultTest : public ::testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }

    PackageDownloader Engine(const DownloadTimeouts& timeouts = kShortTimeouts) {
        return PackageDownloader([this](std::uint32_t, double received, double) { received_.store(received); },
                                 timeouts);
    }

    ScratchFolder folder_;
    std::atomic<double> received_{0};
};

// What the target file holds after the failed transfer.
enum class Kept {
    Prefix,       // some first bytes of the package, fewer than all
    ExactlyKeep,  // the first `keep` bytes
};

TEST_F(DownloadFaultTest, EveryFaultEndsAsTheDocumentedFailureNeverAsAPackage) {
    const struct {
        const char* name;
        std::string url;
        const char* fault;  // armed for every request to the package; empty: none
        int code;           // libcurl's result in the error text
        Kept kept;
        std::uint64_t keep;
    } cases[] = {
        {"cut at random point 1", Url(kPackagePath), "mode=cut&seed=1", kPartialFile, Kept::Prefix, 0},
        {"cut at random point 2", Url(kPackagePath), "mode=cut&seed=2", kPartialFile, Kept::Prefix, 0},
        {"cut at random point 3", Url(kPackagePath), "mode=cut&seed=3", kPartialFile, Kept::Prefix, 0},
        {"cut before the body", Url(kPackagePath), "mode=cut&keep=0", kPartialFile, Kept::ExactlyKeep, 0},
        {"cut one byte short", Url(kPackagePath), "mode=cut&keep=199999", kPartialFile, Kept::ExactlyKeep, 199999},
        {"stalled in the body", Url(kPackagePath), "mode=stall&keep=50000", kTimedOut, Kept::ExactlyKeep, 50000},
        {"silent", Url(kPackagePath), "mode=silent", kTimedOut, Kept::ExactlyKeep, 0},
        {"no HTTP", Url(kPackagePath), "mode=nothttp", kUnsupportedProtocol, Kept::ExactlyKeep, 0},
        {"closed without an answer", Url(kPackagePath), "mode=drop", kGotNothing, Kept::ExactlyKeep, 0},
        {"black-holed address", BlackHoleUrl(kPackagePath), "", kTimedOut, Kept::ExactlyKeep, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestServer::Reset();
        TestServer::MakePackage("p.msi", kPackageSize);
        if (*c.fault) TestServer::ArmFault("path=" + kPackagePath + "&" + c.fault);

        PackageDownloader engine = Engine();
        engine.SetUrl(Wide(c.url));
        // Whatever the server does, the name comes from the address.
        const std::u16string path = engine.ResolveTargetPath(folder_.Path());
        ASSERT_EQ(path, folder_.Target(u"p.msi"));

        const auto error = DownloadError([&] { engine.Download(); });
        EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, c.code));
        EXPECT_EQ(engine.LastError(), c.code);
        const auto held = TestServer::PatternPrefixLength(path);
        ASSERT_TRUE(held) << "the file holds other bytes than the package's";
        if (c.kept == Kept::Prefix) {
            EXPECT_LT(*held, kPackageSize);
        } else {
            EXPECT_EQ(*held, c.keep);
        }
    }
}

// A transfer that keeps moving is never cut, however long it takes: this one
// lasts longer than the low-speed window, with pauses between its pieces far
// shorter than that window, so that a slow machine cannot stretch one of
// them past it.
TEST_F(DownloadFaultTest, ATransferThatKeepsMovingMayOutlastTheLowSpeedWindow) {
    constexpr DownloadTimeouts kThreeSecondWindow{30000, 1, 3, 1};  // one attempt: a cut would show
    TestServer::MakePackage("p.msi", kPackageSize);
    TestServer::ArmFault("path=" + kPackagePath + "&mode=trickle&chunk=20000&interval=0.4");  // some 4 s
    PackageDownloader engine = Engine(kThreeSecondWindow);
    engine.SetUrl(Wide(Url(kPackagePath)));
    const std::u16string path = engine.ResolveTargetPath(folder_.Path());
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kPackageSize));
}

// The short time-outs must not end a transfer that the user has paused,
// for instance while the exit confirmation is on screen.
TEST_F(DownloadFaultTest, APauseLongerThanTheTimeOutsIsNoFailure) {
    TestServer::MakePackage("p.msi", kPackageSize);
    TestServer::ArmFault("path=" + kPackagePath + "&mode=trickle&chunk=4096&interval=0.02");
    PackageDownloader engine = Engine();
    engine.SetUrl(Wide(Url(kPackagePath)));
    const std::u16string path = engine.ResolveTargetPath(folder_.Path());

    std::atomic<bool> finished{false};
    double heldAt = 0;
    std::thread user([&] {
        while (received_.load() < 20000 && !finished.load()) std::this_thread::sleep_for(5ms);
        engine.Pause(true);
        heldAt = SettledCount(received_);
        std::this_thread::sleep_for(2500ms);  // well past 1 s below the limit
        EXPECT_EQ(received_.load(), heldAt) << "the transfer went on while paused";
        engine.Pause(false);
    });
    EXPECT_EQ(engine.Download(), path);
    finished.store(true);
    user.join();
    EXPECT_LT(heldAt, double(kPackageSize));
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kPackageSize));
}

// With the product's time-outs a silent server would hold the transfer for a
// minute; the stop request ends it at libcurl's next progress call.
TEST_F(DownloadFaultTest, AStopEndsATransferToASilentServer) {
    TestServer::MakePackage("p.msi", kPackageSize);
    PackageDownloader engine = Engine(DownloadTimeouts{});
    engine.SetUrl(Wide(Url(kPackagePath)));
    engine.ResolveTargetPath(folder_.Path());
    TestServer::ArmFault("path=" + kPackagePath + "&mode=silent&times=1");

    std::atomic<bool> finished{false};
    std::thread user([&] {
        // Until the transfer's request has arrived (after the resolution's).
        while (TestServer::Journal().size() < 2 && !finished.load()) std::this_thread::sleep_for(20ms);
        engine.RequestStop();
    });
    EXPECT_THROW(engine.Download(), StopDownloading);
    finished.store(true);
    user.join();
}

// A direct path that swallows the connection must not hold the download for
// its connect time-out once proxy detection has found a proxy: the attempt
// gives way at once. The time-out here outlasts the suite's time limit, so
// that waiting it out shows as a hang.
TEST_F(DownloadFaultTest, ABlockedDirectPathGivesWayToADetectedProxyWithoutWaitingOutItsTimeOut) {
    constexpr DownloadTimeouts kTenMinutesToConnect{600000, 1, 60, 1};
    TestServer::MakePackage("p.msi", kPackageSize);
    Download::ProxySettings settings;
    settings.autoDetect = true;
    HeldDetection detection(Download::ProxyRoute{Url("")});
    PackageDownloader engine([](std::uint32_t, double, double) {},
                             std::make_unique<Download::ProxyResolver>(settings, detection.Lookup()),
                             kTenMinutesToConnect);
    engine.SetUrl(Wide(BlackHoleUrl(kPackagePath)));
    std::thread answer([&] {
        std::this_thread::sleep_for(500ms);  // the direct attempt is connecting by now
        detection.Release();
    });
    const std::u16string path = engine.ResolveTargetPath(folder_.Path());
    answer.join();
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kPackageSize));
    EXPECT_EQ(engine.Proxy(), Url(""));
}

TEST_F(DownloadFaultTest, TheLogPosterGivesTheStatusOfWhateverAnswerArrived) {
    const std::string endpoint = "/LogHandler.ashx";
    const struct {
        const char* name;
        std::string url;
        const char* fault;
        int status;
    } cases[] = {
        // The status line arrived; the line was delivered.
        {"cut at random point 1", Url(endpoint), "mode=cut&seed=1", 200},
        {"cut at random point 2", Url(endpoint), "mode=cut&seed=2", 200},
        {"stalled in the body", Url(endpoint), "mode=stall&keep=1", 200},
        {"slow", Url(endpoint), "mode=trickle&chunk=1&interval=0.2", 200},
        // No answer.
        {"silent", Url(endpoint), "mode=silent", 0},
        {"no HTTP", Url(endpoint), "mode=nothttp", 0},
        {"closed without an answer", Url(endpoint), "mode=drop", 0},
        {"black-holed address", BlackHoleUrl(endpoint), "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestServer::Reset();
        if (*c.fault) TestServer::ArmFault("path=" + endpoint + "&" + c.fault);
        EXPECT_EQ(PostLogMessage("Method:StartInstallation", c.url, kShortLogTimeoutSeconds), c.status);
    }
}

}  // namespace
