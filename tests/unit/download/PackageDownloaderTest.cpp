// The download engine against the reference server on loopback.
#include "download/PackageDownloader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "DownloadTestSupport.h"
#include "HeldDetection.h"
#include "RefServer.h"
#include "download/PackageFileName.h"
#include "download/ProxyResolver.h"

namespace {

using namespace std::chrono_literals;
using namespace DownloadTestSupport;
using TestServer::Url;

// A port on loopback where nothing listens.
const std::string kUnreachable = "http://127.0.0.1:1";

struct ProgressCall {
    std::uint32_t percent;
    double received;
    double expected;
};

// Time-outs whose waits between attempts are short.
DownloadTimeouts QuickRetries(int attempts) {
    DownloadTimeouts timeouts;
    timeouts.transferAttempts = attempts;
    timeouts.firstReconnectDelayMilliseconds = 10;
    return timeouts;
}

class PackageDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }

    std::u16string Folder() const { return folder_.Path(); }
    std::u16string Target(const std::u16string& name) const { return folder_.Target(name); }

    // The engine with a progress callback that keeps every call; `onProgress`
    // may act from inside the callback.
    DownloadProgressCallback Recorder() {
        return [this](std::uint32_t percent, double received, double expected) {
            calls_.push_back({percent, received, expected});
            received_.store(received);
            if (onProgress_) onProgress_(received);
        };
    }

    // Runs `control` on a second thread (as the user-interface thread would)
    // while `Download` runs here; returns what Download raised, if anything.
    template <typename Control>
    std::exception_ptr DownloadWhile(PackageDownloader& engine, Control control) {
        std::thread controller(control);
        std::exception_ptr raised;
        try {
            engine.Download();
        } catch (...) {
            raised = std::current_exception();
        }
        controller.join();
        return raised;
    }

    void WaitForBytes(double bytes) {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (received_.load() < bytes && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
    }

    ScratchFolder folder_;
    std::vector<ProgressCall> calls_;  // written by the transfer, read after it
    std::atomic<double> received_{0};
    std::function<void(double)> onProgress_;
};

TEST_F(PackageDownloaderTest, DownloadsThePackageBehindTheDefaultAddress) {
    TestServer::MakePackage("CorvaneSetup.msi", 300000);
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/download.asp?lang=en")));

    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_EQ(path, Target(u"CorvaneSetup.msi"));
    EXPECT_FALSE(std::filesystem::exists(path)) << "resolving must not store the body";
    EXPECT_EQ(engine.Download(), path);

    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 300000));
    ASSERT_FALSE(calls_.empty());
    EXPECT_EQ(calls_.back().percent, 100u);
    EXPECT_EQ(calls_.back().received, 300000.0);
    EXPECT_EQ(calls_.back().expected, 300000.0);
    for (const ProgressCall& call : calls_) EXPECT_LE(call.percent, 100u);
    EXPECT_EQ(engine.LastError(), 0);

    // Resolving and downloading each follow the redirect; no user agent is
    // sent, and the followed request names the address it came from.
    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 4u);
    for (std::size_t i = 0; i < 4; i += 2) {
        EXPECT_EQ(journal[i].target, "/download.asp?lang=en");
        EXPECT_EQ(journal[i + 1].target, "/packages/CorvaneSetup.msi");
        EXPECT_EQ(journal[i + 1].Header("Referer"), Url("/download.asp?lang=en"));
    }
    for (const auto& request : journal) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_FALSE(request.Header("User-Agent")) << *request.Header("User-Agent");
    }
}

TEST_F(PackageDownloaderTest, SpacesAreSentAsPercent20AndEverythingElseAsItStands) {
    TestServer::MakePackage("Corvane Setup.msi", 5000);
    PackageDownloader engine(Recorder());

    engine.SetUrl(Wide(Url("/packages/Corvane Setup.msi?a=b+c%2F&d= e")));
    EXPECT_EQ(engine.Url(), Url("/packages/Corvane%20Setup.msi?a=b+c%2F&d=%20e"));

    engine.SetUrl(Wide(Url("/packages/Corvane Setup.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_EQ(path, Target(u"Corvane Setup.msi"));
    engine.Download();
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 5000));
    for (const auto& request : TestServer::Journal()) EXPECT_EQ(request.target, "/packages/Corvane%20Setup.msi");
}

TEST_F(PackageDownloaderTest, ClientAndServerErrorsStopTheNameResolution) {
    const struct {
        int status;
        bool raises;
        DownloadFailure failure;
    } cases[] = {
        {401, true, DownloadFailure::ServerRefused}, {404, true, DownloadFailure::ServerRefused},
        {499, true, DownloadFailure::ServerRefused}, {500, true, DownloadFailure::ServerError},
        {503, true, DownloadFailure::ServerError},   {400, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        TestServer::Reset();
        TestServer::ArmFault("path=/packages/x.msi&mode=status&code=" + std::to_string(c.status));
        PackageDownloader engine(Recorder());
        engine.SetUrl(Wide(Url("/packages/x.msi")));
        if (c.raises) {
            const auto error = DownloadError([&] { engine.ResolveTargetPath(Folder()); });
            EXPECT_TRUE(IsFailure(error, c.failure, c.status));
            EXPECT_EQ(engine.LastError(), c.status);
            EXPECT_EQ(engine.TargetPath(), u"");
        } else {
            EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"x.msi"));
            EXPECT_EQ(engine.LastError(), 0);
        }
    }
}

TEST_F(PackageDownloaderTest, TheNameComesFromTheEndOfARedirectChain) {
    TestServer::MakePackage("final.msi", 10);
    TestServer::ArmFault("path=/first&mode=redirect&location=/second");
    TestServer::ArmFault("path=/second&mode=redirect&location=/packages/final.msi");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/first")));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"final.msi"));
}

// The retry of the error dialog runs the same engine again.
TEST_F(PackageDownloaderTest, AnErrorStatusOfThePackageIsAServerErrorThatLeavesNoFile) {
    TestServer::MakePackage("p.msi", 30000);
    for (const int status : {400, 404, 500, 503}) {
        SCOPED_TRACE(status);
        TestServer::Reset();
        PackageDownloader engine(Recorder());
        engine.SetUrl(Wide(Url("/packages/p.msi")));
        const std::u16string path = engine.ResolveTargetPath(Folder());
        std::ofstream(std::filesystem::path(path)) << "an earlier download";
        TestServer::ArmFault("path=/packages/p.msi&mode=status&code=" + std::to_string(status) + "&times=1");

        const auto error = DownloadError([&] { engine.Download(); });
        EXPECT_TRUE(IsFailure(error, DownloadFailure::ServerError, status));
        EXPECT_EQ(engine.LastError(), status);
        EXPECT_FALSE(std::filesystem::exists(path));

        EXPECT_EQ(engine.Download(), path);
        EXPECT_TRUE(TestServer::FileHoldsPattern(path, 30000));
    }
    for (const ProgressCall& call : calls_) EXPECT_LE(call.received, 30000.0);
}

// Signed links of storage services and letters outside ASCII: the request
// carries the address as UTF-8, percent-encoded; the file gets a plain name.
TEST_F(PackageDownloaderTest, TheRequestIsPercentEncodedAndTheFileNameIsPlain) {
    TestServer::MakePackage("p.msi", 20000);
    const struct {
        std::u16string path;
        const char* fault;
        std::vector<std::string> sent;  // the request targets of the name request
        std::u16string name;
    } cases[] = {
        {u"/partner/Caf\u00e9 \u03a9.msi",
         "path=/partner/*&mode=redirect&location=%2Fpackages%2Fp.msi%3FExpires%3D1%26Signature%3Da%252Fb",
         {"/partner/Caf%C3%A9%20%CE%A9.msi", "/packages/p.msi?Expires=1&Signature=a%2Fb"}, u"p.msi"},
        {u"/named/Caf\u00e9.msi?token=a/b#part", "path=/named/*&mode=status&code=200",
         {"/named/Caf%C3%A9.msi?token=a/b"}, u"Caf\u00e9.msi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent.front());
        TestServer::Reset();
        TestServer::ArmFault(c.fault);
        PackageDownloader engine(Recorder());
        engine.SetUrl(Wide(Url("")) + c.path);
        EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(c.name));
        std::vector<std::string> sent;
        for (const auto& request : TestServer::Journal()) sent.push_back(request.target);
        EXPECT_EQ(sent, c.sent);
    }
}

TEST_F(PackageDownloaderTest, AnUnreachableServerFailsOnlyInDownload) {
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(kUnreachable + "/files/CorvaneSetup.msi"));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"CorvaneSetup.msi"));

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 7));  // CURLE_COULDNT_CONNECT
    EXPECT_EQ(engine.LastError(), 7);
}

// Every attempt cut short: after the attempts the last code counts, and the
// file keeps the package's first bytes, each attempt adding its part.
TEST_F(PackageDownloaderTest, ABodyCutShortOnEveryAttemptIsAFailedTransferThatKeepsWhatArrived) {
    TestServer::MakePackage("p.msi", 100000);
    TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=40000");
    int reconnects = 0;
    PackageDownloader engine(Recorder(), QuickRetries(3));
    engine.OnReconnecting([&] { ++reconnects; });
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 18));  // CURLE_PARTIAL_FILE
    EXPECT_EQ(engine.LastError(), 18);
    // 40000 bytes, then 40000 of the 60000 left, then 19999 of the last 20000.
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 99999));
    EXPECT_EQ(reconnects, 2);
}

// One cut, then the server answers as it should: what the next attempt asks
// for and what it gets decides whether the bytes on disk are kept.
TEST_F(PackageDownloaderTest, ABrokenTransferIsTakenUpWhereItBroke) {
    constexpr int kSize = 300000;
    const struct {
        const char* name;
        const char* fault;  // besides the one cut
        bool continued;     // the second answer is the rest (206), not the whole (200)
    } cases[] = {
        {"unchanged", "", true},
        {"replaced meanwhile", "mode=changing", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestServer::Reset();
        TestServer::MakePackage("p.msi", kSize);
        calls_.clear();
        int reconnects = 0;
        PackageDownloader engine(Recorder(), QuickRetries(5));
        engine.OnReconnecting([&] { ++reconnects; });
        engine.SetUrl(Wide(Url("/packages/p.msi")));
        const std::u16string path = engine.ResolveTargetPath(Folder());
        if (*c.fault) TestServer::ArmFault(std::string("path=/packages/p.msi&") + c.fault);
        TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=120000&times=1");

        EXPECT_EQ(engine.Download(), path);
        EXPECT_TRUE(TestServer::FileHoldsPattern(path, kSize));
        EXPECT_EQ(reconnects, 1);

        const auto journal = TestServer::Journal();
        ASSERT_EQ(journal.size(), 3u);  // the name request, the cut transfer, the next attempt
        EXPECT_FALSE(journal[1].Header("Range"));
        EXPECT_EQ(journal[2].Header("Range"), "bytes=120000-");
        EXPECT_TRUE(journal[2].Header("If-Range"));
        // The bar counts the whole package: it never goes back while the
        // rest arrives, and ends at the whole.
        ASSERT_FALSE(calls_.empty());
        EXPECT_EQ(calls_.back().received, double(kSize));
        EXPECT_EQ(calls_.back().expected, double(kSize));
        if (c.continued) {
            for (const ProgressCall& call : calls_) EXPECT_TRUE(call.expected == 0 || call.expected == kSize);
        }
    }
}

// Retry in the error dialog after the attempts ran out downloads the same
// target again: it continues the bytes on disk rather than starting over.
TEST_F(PackageDownloaderTest, ADownloadOfTheSameTargetAfterTheAttemptsRanOutContinuesTheFile) {
    constexpr int kSize = 300000;
    TestServer::MakePackage("p.msi", kSize);
    PackageDownloader engine(Recorder(), QuickRetries(1));
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=120000&times=1");
    EXPECT_TRUE(IsFailure(DownloadError([&] { engine.Download(); }), DownloadFailure::TransferFailed, 18));
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 120000));

    // As the wizard's retry does: the address again, its name, the transfer.
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    ASSERT_EQ(engine.ResolveTargetPath(Folder()), path);
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kSize));
    const auto journal = TestServer::Journal();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(journal.back().Header("Range"), "bytes=120000-");
    EXPECT_TRUE(journal.back().Header("If-Range"));
}

// While the exit question is open the transfer is paused; a server or proxy
// that closes the idle connection meanwhile costs only a range request after
// No, not the bytes already there.
TEST_F(PackageDownloaderTest, AConnectionClosedDuringAPauseIsTakenUpWhereItBrokeAfterThePause) {
    constexpr int kSize = 600000;
    TestServer::MakePackage("p.msi", kSize);
    PackageDownloader engine(Recorder(), QuickRetries(5));
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=200000&times=1");

    const auto raised = DownloadWhile(engine, [&] {
        WaitForBytes(20000);
        engine.Pause(true);
        std::this_thread::sleep_for(700ms);  // the server sends its part and closes meanwhile
        engine.Pause(false);
    });
    EXPECT_FALSE(raised);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kSize));
    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 3u);  // the name request, the broken transfer, its rest
    EXPECT_EQ(journal[2].Header("Range"), "bytes=200000-");
}

// A stop during the wait before the next attempt ends it at once: the wait
// here would last ten minutes, and ctest's time limit is what catches it.
TEST_F(PackageDownloaderTest, AStopEndsTheWaitBeforeReconnecting) {
    TestServer::MakePackage("p.msi", 100000);
    TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=1000");
    DownloadTimeouts timeouts;
    timeouts.firstReconnectDelayMilliseconds = 600000;
    PackageDownloader engine(Recorder(), timeouts);
    std::atomic<bool> waiting{false};
    engine.OnReconnecting([&] { waiting.store(true); });
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder());

    const auto raised = DownloadWhile(engine, [&] {
        while (!waiting.load()) std::this_thread::sleep_for(5ms);
        std::this_thread::sleep_for(200ms);  // into the wait
        engine.RequestStop();
    });
    ASSERT_TRUE(raised);
    EXPECT_THROW(std::rethrow_exception(raised), StopDownloading);
}

TEST_F(PackageDownloaderTest, WithoutASizeEveryProgressCallCarriesZeroPercentAndZeroExpected) {
    TestServer::MakePackage("p.msi", 200000);
    TestServer::ArmFault("path=/packages/p.msi&mode=nolength");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    engine.Download();

    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 200000));
    ASSERT_FALSE(calls_.empty());
    double before = 0;
    for (const ProgressCall& call : calls_) {
        EXPECT_EQ(call.percent, 0u);
        EXPECT_EQ(call.expected, 0.0);
        EXPECT_GE(call.received, before);
        before = call.received;
    }
    EXPECT_EQ(before, 200000.0);
}

TEST_F(PackageDownloaderTest, AUrlEndingWithASlashGetsTheFallbackName) {
    TestServer::ArmFault("path=/dir/&mode=status&code=200");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/dir/")));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(Download::kFallbackPackageName));
}

TEST_F(PackageDownloaderTest, AFolderThatCannotTakeTheFileFailsBeforeAnyRequest) {
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder() + u"/missing");
    TestServer::Reset();

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TargetNotOpened, -3));
    EXPECT_EQ(engine.LastError(), -3);
    EXPECT_TRUE(TestServer::Journal().empty());
}

TEST_F(PackageDownloaderTest, WithoutAUrlNoNameCanBeFound) {
    PackageDownloader engine(Recorder());
    const auto error = DownloadError([&] { engine.ResolveTargetPath(Folder()); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::NoPackageName, -4));
    EXPECT_EQ(engine.LastError(), -4);
}

TEST_F(PackageDownloaderTest, EveryOperationFailsWhenNoTransferHandleCanBeMade) {
    PackageDownloader engine(Recorder(), []() -> void* { return nullptr; });
    engine.SetUrl(Wide(Url("/download.asp")));
    const std::function<void()> operations[] = {
        [&] { engine.ResolveTargetPath(Folder()); },
        [&] { engine.Download(); },
    };
    for (const auto& operation : operations) {
        const auto error = DownloadError(operation);
        EXPECT_TRUE(IsFailure(error, DownloadFailure::NoTransferHandle, -2));
        EXPECT_EQ(engine.LastError(), -2);
    }
}

TEST_F(PackageDownloaderTest, ARedirectLoopEndsAsAFailedTransfer) {
    TestServer::ArmFault("path=/loop&mode=redirect&location=/loop");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/loop")));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"loop"));

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 47));  // CURLE_TOO_MANY_REDIRECTS
    EXPECT_EQ(engine.LastError(), 47);
    EXPECT_LT(TestServer::Journal().size(), 100u);

    // The object stays usable, and success leaves the last failure's code.
    TestServer::MakePackage("p.msi", 10);
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder());
    engine.Download();
    EXPECT_EQ(engine.LastError(), 47);
}

// A stop the user confirmed between two steps (while an error dialog asked,
// say) must not be lost when the next step starts.
TEST_F(PackageDownloaderTest, AStopIsFinalForEveryLaterStep) {
    TestServer::MakePackage("p.msi", 50000);
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder());
    engine.RequestStop();
    TestServer::Reset();
    EXPECT_THROW(engine.Download(), StopDownloading);
    EXPECT_THROW(engine.SetUrl(Wide(Url("/packages/p.msi"))), StopDownloading);
    EXPECT_THROW(engine.ResolveTargetPath(Folder()), StopDownloading);
    EXPECT_THROW(engine.Download(), StopDownloading);
    EXPECT_TRUE(TestServer::Journal().empty());
    EXPECT_TRUE(calls_.empty());
}

// The name request hears a stop too, though a silent server would hold it
// for the product's minute.
TEST_F(PackageDownloaderTest, AStopEndsTheNameRequestToASilentServer) {
    TestServer::ArmFault("path=/packages/p.msi&mode=silent");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    std::atomic<bool> finished{false};
    std::thread user([&] {
        while (TestServer::Journal().empty() && !finished.load()) std::this_thread::sleep_for(20ms);
        engine.RequestStop();
    });
    EXPECT_THROW(engine.ResolveTargetPath(Folder()), StopDownloading);
    finished.store(true);
    user.join();
}

TEST_F(PackageDownloaderTest, AStopDuringTheTransferEndsItWithoutAnError) {
    TestServer::MakePackage("p.msi", 4 << 20);
    TestServer::ArmFault("path=/packages/p.msi&mode=trickle&chunk=16384&interval=0.01");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder());

    const auto raised = DownloadWhile(engine, [&] {
        WaitForBytes(1);
        engine.RequestStop();
    });
    ASSERT_TRUE(raised);
    EXPECT_THROW(std::rethrow_exception(raised), StopDownloading);
    EXPECT_EQ(engine.LastError(), 0);
    EXPECT_LT(received_.load(), double(4 << 20));
}

TEST_F(PackageDownloaderTest, PauseHoldsTheByteCountStillAndResumeCompletesTheTransfer) {
    constexpr int kSize = 600000;
    TestServer::MakePackage("p.msi", kSize);
    TestServer::ArmFault("path=/packages/p.msi&mode=trickle&chunk=8192&interval=0.01");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());

    double atPause = 0, later = 0;
    const auto raised = DownloadWhile(engine, [&] {
        WaitForBytes(50000);
        engine.Pause(true);
        atPause = SettledCount(received_);
        std::this_thread::sleep_for(700ms);
        later = received_.load();
        engine.Pause(false);
    });
    EXPECT_FALSE(raised);
    EXPECT_EQ(atPause, later);
    EXPECT_LT(atPause, double(kSize));
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kSize));
}

TEST_F(PackageDownloaderTest, AStopWhilePausedStillEndsTheTransfer) {
    TestServer::MakePackage("p.msi", 600000);
    TestServer::ArmFault("path=/packages/p.msi&mode=trickle&chunk=8192&interval=0.01");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder());

    const auto raised = DownloadWhile(engine, [&] {
        WaitForBytes(50000);
        engine.Pause(true);
        std::this_thread::sleep_for(300ms);
        engine.RequestStop();
    });
    ASSERT_TRUE(raised);
    EXPECT_THROW(std::rethrow_exception(raised), StopDownloading);
}

TEST_F(PackageDownloaderTest, APauseWithoutATransferDoesNothing) {
    TestServer::MakePackage("p.msi", 50000);
    PackageDownloader engine(Recorder());
    engine.Pause(true);
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    engine.Pause(true);
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 50000));
}

TEST_F(PackageDownloaderTest, AFailingProgressCallbackEndsTheTransferAndSurfacesFromDownload) {
    TestServer::MakePackage("p.msi", 50000);
    PackageDownloader engine(Recorder());
    onProgress_ = [](double) { throw std::runtime_error("progress failed"); };
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_THROW(engine.Download(), std::runtime_error);

    onProgress_ = nullptr;
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 50000));
}

// The reference server also serves as a forward proxy and journals what
// reached it that way. Names under corvane.test exist for it alone; loopback
// addresses bypass a proxy, as on Windows.
TEST_F(PackageDownloaderTest, EveryHopOfARedirectChainTakesItsOwnRoute) {
    TestServer::MakePackage("p.msi", 70000);
    const std::string port = std::to_string(TestServer::Port());
    const std::string proxy = "127.0.0.1:" + port;
    TestServer::ArmFault("path=/first&mode=redirect&location=" + Url("/second"));
    TestServer::ArmFault("path=/second&mode=redirect&location=http://files.corvane.test:" + port +
                         "/packages/p.msi");
    Download::ProxySettings settings;
    settings.manualServers = proxy;
    PackageDownloader engine(Recorder(), std::make_unique<Download::ProxyResolver>(settings));
    engine.SetUrl(Wide("http://start.corvane.test:" + port + "/first"));

    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_EQ(path, Target(u"p.msi"));
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 70000));
    EXPECT_EQ(engine.Proxy(), "http://" + proxy);

    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 6u);
    const struct {
        std::string target;
        bool proxied;
    } hops[] = {
        {"http://start.corvane.test:" + port + "/first", true},
        {"/second", false},
        {"http://files.corvane.test:" + port + "/packages/p.msi", true},
    };
    for (std::size_t i = 0; i < journal.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(journal[i].target, hops[i % 3].target);
        EXPECT_EQ(journal[i].proxied, hops[i % 3].proxied);
    }
    // Progress counts the package's answer alone.
    ASSERT_FALSE(calls_.empty());
    for (const ProgressCall& call : calls_) EXPECT_TRUE(call.expected == 0 || call.expected == 70000.0);
}

// A proxy the settings name that cannot be reached is not bypassed: the
// download fails, it does not go around the user's configuration.
TEST_F(PackageDownloaderTest, AnAddressTheRulesSendThroughAProxyNeverGoesDirect) {
    TestServer::MakePackage("p.msi", 1000);
    Download::ProxySettings settings;
    settings.manualServers = kUnreachable.substr(7);
    settings.bypassList = "<-loopback>";
    PackageDownloader engine(Recorder(), std::make_unique<Download::ProxyResolver>(settings));
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    engine.ResolveTargetPath(Folder());
    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 7));  // CURLE_COULDNT_CONNECT
    EXPECT_EQ(engine.Proxy(), "http://" + kUnreachable.substr(7));
    EXPECT_TRUE(TestServer::Journal().empty());
}

// With automatic detection on and no script address, detection runs beside
// the first request. The reference server stands in for the proxy it finds.
Download::ProxySettings DetectionOnly() {
    Download::ProxySettings settings;
    settings.autoDetect = true;
    return settings;
}

TEST_F(PackageDownloaderTest, ADirectPathThatWorksDoesNotWaitForProxyDetection) {
    TestServer::MakePackage("p.msi", 70000);
    // Were it waited for, it would answer after its bound with a proxy that
    // cannot be reached.
    HeldDetection detection(Download::ProxyRoute{kUnreachable});
    PackageDownloader engine(Recorder(), std::make_unique<Download::ProxyResolver>(DetectionOnly(), detection.Lookup()));
    engine.SetUrl(Wide(Url("/packages/p.msi")));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 70000));
    EXPECT_EQ(engine.Proxy(), "");
    EXPECT_FALSE(detection.Answered());
    EXPECT_EQ(detection.Asks(), 1);
}

TEST_F(PackageDownloaderTest, WhenTheDirectPathDoesNotConnectTheDetectedProxyIsUsed) {
    TestServer::MakePackage("p.msi", 70000);
    const std::string proxy = TestServer::Url("");
    HeldDetection detection(Download::ProxyRoute{proxy});
    PackageDownloader engine(Recorder(), std::make_unique<Download::ProxyResolver>(DetectionOnly(), detection.Lookup()));
    // Nothing listens there: the direct attempt fails at once, and detection
    // answers a little later.
    engine.SetUrl(Wide(kUnreachable + "/packages/p.msi"));
    std::thread answer([&] {
        std::this_thread::sleep_for(200ms);
        detection.Release();
    });
    const std::u16string path = engine.ResolveTargetPath(Folder());
    answer.join();
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 70000));
    EXPECT_EQ(engine.Proxy(), proxy);
    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 2u);
    for (const auto& request : journal) {
        EXPECT_TRUE(request.proxied);
        EXPECT_EQ(request.target, kUnreachable + "/packages/p.msi");
    }
}

TEST_F(PackageDownloaderTest, AStopIsHeardWhileWaitingForProxyDetection) {
    HeldDetection detection(Download::ProxyRoute{TestServer::Url("")});
    PackageDownloader engine(Recorder(), std::make_unique<Download::ProxyResolver>(DetectionOnly(), detection.Lookup()));
    engine.SetUrl(Wide(kUnreachable + "/packages/p.msi"));
    std::thread stopper([&] {
        std::this_thread::sleep_for(300ms);
        engine.RequestStop();
    });
    EXPECT_THROW(engine.ResolveTargetPath(Folder()), StopDownloading);
    stopper.join();
    EXPECT_FALSE(detection.Answered());  // the stop did not wait for it
    EXPECT_TRUE(TestServer::Journal().empty());
}

TEST_F(PackageDownloaderTest, AUrlThatCannotBeEscapedOrIsEmptyKeepsTheOldOne) {
    PackageDownloader engine(Recorder());
    engine.SetUrl(Wide(Url("/a.msi")));
    EXPECT_ANY_THROW(engine.SetUrl(Wide(Url("/") + std::string(3000, 'a'))));
    EXPECT_EQ(engine.Url(), Url("/a.msi"));
    engine.SetUrl(Wide(""));
    EXPECT_EQ(engine.Url(), Url("/a.msi"));
}

}  // namespace
