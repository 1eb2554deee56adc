// The download engine over HTTPS: a package from a server whose certificate
// chains to a trusted authority arrives whole; a certificate the system does
// not trust, or one made out for another name, ends the transfer with the
// documented failure as soon as the connection stands, before any request is
// sent. The engine keeps the product's time-outs: a refusal that waited for
// them would run into ctest's time limit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "DownloadTestSupport.h"
#include "RefServer.h"
#include "ScopedTrustedAuthority.h"
#include "download/PackageDownloader.h"

namespace {

using namespace DownloadTestSupport;

constexpr std::uint64_t kPackageSize = 300000;
const std::string kPackagePath = "/packages/p.msi";

// libcurl's results: the peer's certificate fails verification; a redirect
// to a scheme the engine does not follow.
constexpr int kPeerFailedVerification = 60;
constexpr int kUnsupportedProtocol = 1;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) ADD_FAILURE() << name << " is not set; the TLS reference server fixture sets it";
    return value ? value : "";
}

int TlsPort() {
    std::ifstream in(Environment("CORVANE_REFSERVER_TLS_PORT_FILE"));
    int port = 0;
    in >> port;
    EXPECT_NE(port, 0) << "no TLS listener";
    return port;
}

std::string HttpsUrl(const std::string& host, const std::string& path) {
    return "https://" + host + ":" + std::to_string(TlsPort()) + path;
}

class DownloadTlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestServer::Reset();
        TestServer::MakePackage("p.msi", kPackageSize);
    }

    ScratchFolder folder_;
};

TEST_F(DownloadTlsTest, APackageFromATrustedServerArrivesWhole) {
    TestServer::ScopedTrustedAuthority trust(Environment("CORVANE_TEST_CA_FILE"));
    PackageDownloader engine([](std::uint32_t, double, double) {});
    engine.SetUrl(Wide(HttpsUrl("127.0.0.1", kPackagePath)));
    const std::u16string path = engine.ResolveTargetPath(folder_.Path());
    ASSERT_EQ(path, folder_.Target(u"p.msi"));
    EXPECT_EQ(engine.Download(), path);
    EXPECT_TRUE(TestServer::FileHoldsPattern(path, kPackageSize));
}

// Refused before the request: no file content, and no request on the server.
void ExpectRefused(const std::string& host, const std::u16string& folder, const std::u16string& target) {
    PackageDownloader engine([](std::uint32_t, double, double) {});
    engine.SetUrl(Wide(HttpsUrl(host, kPackagePath)));
    // The name still comes from the address; only the transfer fails.
    ASSERT_EQ(engine.ResolveTargetPath(folder), target);
    const auto error = DownloadError([&] { engine.Download(); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, kPeerFailedVerification));
    EXPECT_EQ(engine.LastError(), kPeerFailedVerification);
    EXPECT_EQ(TestServer::PatternPrefixLength(target), std::uint64_t{0});
    EXPECT_TRUE(TestServer::Journal().empty()) << "a request went to a server that was not trusted";
}

TEST_F(DownloadTlsTest, ACertificateForAnotherNameIsRefused) {
    TestServer::ScopedTrustedAuthority trust(Environment("CORVANE_TEST_CA_FILE"));
    ExpectRefused("localhost", folder_.Path(), folder_.Target(u"p.msi"));
}

// A package that started on a trusted connection never continues over a
// plain one: the redirect to http is refused before anything is asked there.
TEST_F(DownloadTlsTest, ARedirectFromHttpsToHttpIsRefused) {
    TestServer::ScopedTrustedAuthority trust(Environment("CORVANE_TEST_CA_FILE"));
    TestServer::ArmFault("path=/first&mode=redirect&location=" + TestServer::Url(kPackagePath));
    PackageDownloader engine([](std::uint32_t, double, double) {});
    engine.SetUrl(Wide(HttpsUrl("127.0.0.1", "/first")));
    const auto error = DownloadError([&] { engine.ResolveTargetPath(folder_.Path()); });
    EXPECT_TRUE(IsFailure(error, DownloadFailure::TransferFailed, kUnsupportedProtocol));
    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].target, "/first");
}

// Run by a ctest entry of its own: the chain engine keeps an authority it has
// trusted once for the rest of the process.
TEST_F(DownloadTlsTest, AServerWhoseAuthorityIsNotTrustedIsRefused) {
    ExpectRefused("127.0.0.1", folder_.Path(), folder_.Target(u"p.msi"));
}

}  // namespace
