// The user's proxy settings as the engine reads them under Wine: written into
// the prefix's registry the way the Internet settings of Windows keep them
// (the connection settings record WinHTTP reads), and an automatic
// configuration script served by the reference server and run by WinHTTP.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RefServer.h"
#include "ScopedConnectionSettings_win.h"
#include "download/ProxyResolver.h"

namespace {

using namespace Download;
using namespace TestServer;

TEST(ProxySettingsWin, ManualListsReachTheRulesAsWritten) {
    // Windows hands the per-scheme list on whole (WinInet's own query under
    // Wine would shorten it to the first server).
    ScopedConnectionSettings settings(kDirect | kManualProxy, "http=10.0.0.1:3128;https=10.0.0.2:3129;socks=10.0.0.3:1080",
                                      "<local>;*.corp", "");
    const ProxySettings read = ReadUserProxySettings();
    EXPECT_FALSE(read.Automatic());
    EXPECT_EQ(read.manualServers, "http=10.0.0.1:3128;https=10.0.0.2:3129;socks=10.0.0.3:1080");
    EXPECT_EQ(read.bypassList, "<local>;*.corp");

    ProxyResolver resolver(read);
    EXPECT_EQ(resolver.RouteFor("http://dl.example.com/p.msi").proxy, "http://10.0.0.1:3128");
    EXPECT_EQ(resolver.RouteFor("https://dl.example.com/p.msi").proxy, "http://10.0.0.2:3129");
    EXPECT_EQ(resolver.RouteFor("https://files.corp/p.msi").proxy, "");
    EXPECT_EQ(resolver.RouteFor("http://intranet/p.msi").proxy, "");
}

TEST(ProxySettingsWin, AnAutomaticScriptDecidesPerAddress) {
    TestServer::Reset();
    TestServer::Control("/_control/pac",
                        "script=function FindProxyForURL(url, host) {"
                        " if (dnsDomainIs(host, \".corvane.test\")) return \"PROXY 127.0.0.1:3128; DIRECT\";"
                        " return \"DIRECT\"; }");
    ScopedConnectionSettings settings(kDirect | kScript, "", "", TestServer::Url("/proxy.pac"));
    const ProxySettings read = ReadUserProxySettings();
    ASSERT_TRUE(read.Automatic());
    EXPECT_EQ(read.autoConfigUrl, TestServer::Url("/proxy.pac"));

    ProxyResolver resolver(read);
    EXPECT_EQ(resolver.RouteFor("http://packages.corvane.test/p.msi").proxy, "http://127.0.0.1:3128");
    EXPECT_EQ(resolver.RouteFor("https://dl.example.com/p.msi").proxy, "");
    TestServer::Reset();
}

TEST(ProxySettingsWin, AScriptThatCannotBeHadLeavesTheManualSettingsToDecide) {
    // Missing, and behind an address that swallows the connection: the
    // second must not hold the decision past the engine's bound.
    for (const std::string& script : {TestServer::Url("/none.pac"),
                                      "http://127.0.0.1:" + std::to_string(TestServer::BlackHolePort()) + "/x.pac"}) {
        ScopedConnectionSettings settings(kDirect | kScript | kManualProxy, "10.0.0.9:8080", "", script);
        ProxyResolver resolver(ReadUserProxySettings());
        const DWORD started = GetTickCount();
        EXPECT_EQ(resolver.RouteFor("http://dl.example.com/p.msi").proxy, "http://10.0.0.9:8080") << script;
        EXPECT_LT(GetTickCount() - started, 15000u) << script;
    }
}

TEST(ProxySettingsWin, AutomaticDetectionWithoutADiscoverableScriptGoesDirect) {
    ScopedConnectionSettings settings(kDirect | kAutoDetect, "", "", "");
    const ProxySettings read = ReadUserProxySettings();
    EXPECT_TRUE(read.autoDetect);
    EXPECT_EQ(ProxyResolver(read).RouteFor("http://dl.example.com/p.msi").proxy, "");
}

}  // namespace
