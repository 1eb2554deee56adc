// The download engine through a real forward proxy (squid, started by the
// ctest fixture) whose hosts file alone knows the package host's name: a
// download that arrives has gone through the proxy. A proxy that demands a
// sign-in the user's Windows credentials cannot give ends in ProxySignIn;
// that case runs against a proxy of its own that asks for Basic sign-in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "DownloadTestSupport.h"
#include "RefServer.h"
#include "ScopedUserProxy.h"
#include "download/PackageDownloader.h"

namespace {

using namespace DownloadTestSupport;

// The name the proxy resolves to loopback; nothing else knows it.
constexpr char kProxyOnlyHost[] = "packages.corvane.test";

int ProxyPort() {
    const char* file = std::getenv("CORVANE_TEST_PROXY_PORT_FILE");
    if (!file) {
        ADD_FAILURE() << "CORVANE_TEST_PROXY_PORT_FILE is not set; the test proxy fixture sets it";
        return 0;
    }
    std::ifstream in(file);
    int port = 0;
    in >> port;
    EXPECT_NE(port, 0) << "no test proxy";
    return port;
}

// An engine made while the user's settings name the test proxy for every
// address (the engine reads them once, when it is made).
PackageDownloader EngineThroughProxy() {
    TestServer::ScopedUserProxy userProxy("127.0.0.1:" + std::to_string(ProxyPort()));
    return PackageDownloader([](std::uint32_t, double, double) {});
}

std::string ProxyOnlyUrl(const std::string& scheme, int port, const std::string& path) {
    return scheme + "://" + kProxyOnlyHost + ":" + std::to_string(port) + path;
}

class DownloadProxyTest : public ::testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }

    ScratchFolder folder_;
};

TEST_F(DownloadProxyTest, APackageBehindANameOnlyTheProxyKnowsArrivesThroughIt) {
    TestServer::MakePackage("CorvaneSetup.msi", 250000);
    PackageDownloader engine = EngineThroughProxy();
    engine.SetUrl(Wide(ProxyOnlyUrl("http", TestServer::Port(), "/download.asp")));

    const std::u16string path = engine.ResolveTargetPath(folder_.Path());
    EXPECT_EQ(path, folder_.Target(u"CorvaneSetup.msi"));
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, 250000));
    EXPECT_EQ(engine.Proxy(), "http://127.0.0.1:" + std::to_string(ProxyPort()));
    EXPECT_EQ(TestServer::Journal().size(), 4u);
}

// Plain requests get the proxy's 407 as their answer, tunnels as the answer
// to CONNECT; neither reaches the package server.
TEST_F(DownloadProxyTest, AProxyThatStillDemandsSignInEndsInProxySignIn) {
    for (const std::string scheme : {"http", "https"}) {
        SCOPED_TRACE(scheme);
        PackageDownloader engine = EngineThroughProxy();
        engine.SetUrl(Wide(ProxyOnlyUrl(scheme, TestServer::Port(), "/packages/p.msi")));
        const auto error = DownloadError([&] { engine.ResolveTargetPath(folder_.Path()); });
        EXPECT_TRUE(IsFailure(error, DownloadFailure::ProxySignIn, 407));
        EXPECT_EQ(engine.LastError(), 407);
    }
    EXPECT_TRUE(TestServer::Journal().empty());
}

}  // namespace
