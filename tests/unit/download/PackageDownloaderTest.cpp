// The download engine against the reference server on loopback.
#include "download/PackageDownloader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "DownloadTestSupport.h"
#include "RefServer.h"
#include "ScopedSystemProxy.h"

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
    engine.SetUrl(Url("/download.asp?lang=en"));

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

    engine.SetUrl(Url("/packages/Corvane Setup.msi?a=b+c%2F&d= e"));
    EXPECT_EQ(engine.Url(), Url("/packages/Corvane%20Setup.msi?a=b+c%2F&d=%20e"));

    engine.SetUrl(Url("/packages/Corvane Setup.msi"));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_EQ(path, Target(u"Corvane%20Setup.msi"));
    engine.Download();
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 5000));
    for (const auto& request : TestServer::Journal()) EXPECT_EQ(request.target, "/packages/Corvane%20Setup.msi");
}

TEST_F(PackageDownloaderTest, ClientErrorsStopTheNameResolutionOtherStatusesDoNot) {
    const struct {
        int status;
        bool raises;
    } cases[] = {{401, true}, {404, true}, {499, true}, {400, false}, {500, false}, {503, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        TestServer::Reset();
        TestServer::ArmFault("path=/packages/x.msi&mode=status&code=" + std::to_string(c.status));
        PackageDownloader engine(Recorder());
        engine.SetUrl(Url("/packages/x.msi"));
        if (c.raises) {
            const auto error = DownloadError([&] { engine.ResolveTargetPath(Folder()); });
            EXPECT_TRUE(IsFailure(error, DownloadFailure::ServerRefused, c.status));
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
    engine.SetUrl(Url("/first"));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"final.msi"));
}

TEST_F(PackageDownloaderTest, AnUnreachableServerFailsOnlyInDownload) {
    PackageDownloader engine(Recorder());
    engine.SetUrl(kUnreachable + "/files/CorvaneSetup.msi");
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"CorvaneSetup.msi"));

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 7));  // CURLE_COULDNT_CONNECT
    EXPECT_EQ(engine.LastError(), 7);
}

TEST_F(PackageDownloaderTest, ABodyCutShortIsAFailedTransferThatKeepsWhatArrived) {
    TestServer::MakePackage("p.msi", 100000);
    TestServer::ArmFault("path=/packages/p.msi&mode=cut&keep=40000");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/packages/p.msi"));
    const std::u16string path = engine.ResolveTargetPath(Folder());

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 18));  // CURLE_PARTIAL_FILE
    EXPECT_EQ(engine.LastError(), 18);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 40000));
}

TEST_F(PackageDownloaderTest, WithoutASizeEveryProgressCallCarriesZeroPercentAndZeroExpected) {
    TestServer::MakePackage("p.msi", 200000);
    TestServer::ArmFault("path=/packages/p.msi&mode=nolength");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/packages/p.msi"));
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

TEST_F(PackageDownloaderTest, AUrlEndingWithASlashNamesTheFolderItselfWhichCannotBeWritten) {
    TestServer::ArmFault("path=/dir/&mode=status&code=200");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/dir/"));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"."));

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TargetNotOpened, -3));
    EXPECT_EQ(engine.LastError(), -3);
}

TEST_F(PackageDownloaderTest, WithoutAUrlNoNameCanBeFound) {
    PackageDownloader engine(Recorder());
    const auto error = DownloadError([&] { engine.ResolveTargetPath(Folder()); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::NoPackageName, -4));
    EXPECT_EQ(engine.LastError(), -4);
}

TEST_F(PackageDownloaderTest, EveryOperationFailsWhenNoTransferHandleCanBeMade) {
    PackageDownloader engine(Recorder(), []() -> void* { return nullptr; });
    const std::function<void()> operations[] = {
        [&] { engine.SetUrl(Url("/download.asp")); },
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
    engine.SetUrl(Url("/loop"));
    EXPECT_EQ(engine.ResolveTargetPath(Folder()), Target(u"loop"));

    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, 47));  // CURLE_TOO_MANY_REDIRECTS
    EXPECT_EQ(engine.LastError(), 47);
    EXPECT_LT(TestServer::Journal().size(), 100u);

    // The object stays usable, and success leaves the last failure's code.
    TestServer::MakePackage("p.msi", 10);
    engine.SetUrl(Url("/packages/p.msi"));
    engine.ResolveTargetPath(Folder());
    engine.Download();
    EXPECT_EQ(engine.LastError(), 47);
}

TEST_F(PackageDownloaderTest, AStopRequestedBeforeDownloadIsForgotten) {
    TestServer::MakePackage("p.msi", 50000);
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/packages/p.msi"));
    engine.RequestStop();
    const std::u16string path = engine.ResolveTargetPath(Folder());
    engine.RequestStop();
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 50000));
}

TEST_F(PackageDownloaderTest, AStopDuringTheTransferEndsItWithoutAnError) {
    TestServer::MakePackage("p.msi", 4 << 20);
    TestServer::ArmFault("path=/packages/p.msi&mode=trickle&chunk=16384&interval=0.01");
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/packages/p.msi"));
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
    engine.SetUrl(Url("/packages/p.msi"));
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
    engine.SetUrl(Url("/packages/p.msi"));
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
    engine.SetUrl(Url("/packages/p.msi"));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    engine.Pause(true);
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 50000));
}

TEST_F(PackageDownloaderTest, AFailingProgressCallbackEndsTheTransferAndSurfacesFromDownload) {
    TestServer::MakePackage("p.msi", 50000);
    PackageDownloader engine(Recorder());
    onProgress_ = [](double) { throw std::runtime_error("progress failed"); };
    engine.SetUrl(Url("/packages/p.msi"));
    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_THROW(engine.Download(), std::runtime_error);

    onProgress_ = nullptr;
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 50000));
}

TEST_F(PackageDownloaderTest, ASystemProxyFoundOnceCarriesEveryLaterRequest) {
    TestServer::MakePackage("CorvaneSetup.msi", 70000);
    const std::string proxy = "127.0.0.1:" + std::to_string(TestServer::Port());
    PackageDownloader engine(Recorder());
    {
        ScopedSystemProxy system(proxy);
        engine.SetUrl(kUnreachable + "/download.asp");
    }
    EXPECT_EQ(engine.Proxy(), proxy);

    // The system setting is gone again, yet the engine keeps its proxy.
    const std::u16string path = engine.ResolveTargetPath(Folder());
    EXPECT_EQ(path, Target(u"CorvaneSetup.msi"));
    engine.Download();
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 70000));

    const auto journal = TestServer::Journal();
    std::size_t gets = 0;
    for (const auto& request : journal) {
        EXPECT_TRUE(request.proxied) << request.target;
        if (request.method == "GET") {
            ++gets;
            EXPECT_EQ(request.target.rfind(kUnreachable + "/", 0), 0u) << request.target;
        }
    }
    EXPECT_EQ(gets, 4u);
}

TEST_F(PackageDownloaderTest, AReachableServerIsAskedDirectlyWhateverTheSystemProxy) {
    ScopedSystemProxy system(kUnreachable.substr(7));
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/download.asp"));
    EXPECT_EQ(engine.Proxy(), "");
}

TEST_F(PackageDownloaderTest, AUrlThatCannotBeEscapedOrIsEmptyKeepsTheOldOne) {
    PackageDownloader engine(Recorder());
    engine.SetUrl(Url("/a.msi"));
    EXPECT_ANY_THROW(engine.SetUrl(Url("/") + std::string(3000, 'a')));
    EXPECT_EQ(engine.Url(), Url("/a.msi"));
    engine.SetUrl("");
    EXPECT_EQ(engine.Url(), Url("/a.msi"));
}

}  // namespace
