#include "download/ProxyResolver.h"
#include "download/ProxyRules.h"

#include <gtest/gtest.h>

#include <chrono>

#include "HeldDetection.h"

namespace {

using namespace Download;

// The settings texts are written as Windows returns them (Internet settings of
// the current user), not as Wine shortens the per-scheme list.
TEST(ProxyRules, ManualSettingsDecidePerAddress) {
    const struct {
        const char* servers;
        const char* bypass;
        const char* url;
        const char* proxy;  // "" for DIRECT
    } cases[] = {
        {"proxy.corp:3128", "", "http://dl.example.com/p.msi", "http://proxy.corp:3128"},
        {"proxy.corp:3128", "", "https://dl.example.com/p.msi", "http://proxy.corp:3128"},
        {"proxy.corp", "", "http://dl.example.com/", "http://proxy.corp:80"},
        {"Proxy.Corp:8080", "", "http://h/", "http://proxy.corp:8080"},
        // Per-scheme lists pick the entry of the address's scheme.
        {"http=p1:81;https=p2:82;socks=p3:1081", "", "http://h/p.msi", "http://p1:81"},
        {"http=p1:81;https=p2:82;socks=p3:1081", "", "https://h/p.msi", "http://p2:82"},
        {"http=p1:81 https=p2:82", "", "https://h/", "http://p2:82"},
        {"HTTP=p1:81", "", "http://h/", "http://p1:81"},
        {"http=http://p1:81/", "", "http://h/", "http://p1:81"},
        // Without an entry of its own a scheme takes the socks entry, else goes direct.
        {"http=p1:81;socks=p3:1081", "", "https://h/", "socks4a://p3:1081"},
        {"socks=p3", "", "http://h/", "socks4a://p3:1080"},
        {"http=p1:81", "", "https://h/", ""},
        {"ftp=p4:21", "", "http://h/", ""},
        // The bypass list.
        {"p:1", "<local>", "http://intranet/p.msi", ""},
        {"p:1", "<local>", "http://intranet.corp/p.msi", "http://p:1"},
        {"p:1", "*.example.com;<local>", "https://dl.Example.com/x", ""},
        {"p:1", "*.example.com", "https://example.com/x", "http://p:1"},
        {"p:1", "10.*", "http://10.1.2.3/x", ""},
        {"p:1", "10.*", "http://110.1.2.3/x", "http://p:1"},
        {"p:1", "dl.example.com", "http://dl.example.com:8080/x", ""},
        {"p:1", "dl.example.com:8080", "http://dl.example.com/x", "http://p:1"},
        {"p:1", "dl.example.com:8080", "http://dl.example.com:8080/x", ""},
        {"p:1", "https://dl.example.com", "http://dl.example.com/x", "http://p:1"},
        {"p:1", "https://dl.example.com", "https://dl.example.com/x", ""},
        {"p:1", "a.com, b.com ;c.com", "http://b.com/", ""},
        // Loopback stays direct unless the list says otherwise.
        {"p:1", "", "http://127.0.0.1:48080/x", ""},
        {"p:1", "", "http://localhost/x", ""},
        {"p:1", "", "http://[::1]:80/x", ""},
        {"p:1", "<-loopback>", "http://127.0.0.1/x", "http://p:1"},
        // No manual server, or an address that is none.
        {"", "", "http://h/", ""},
        {"p:1", "", "not an address", ""},
        // Entries that are not servers are passed over, never handed to libcurl.
        {"p:99999;q:2", "", "http://h/", "http://q:2"},
        {"user@evil:1;q:2", "", "http://h/", "http://q:2"},
        {"http=;https=", "", "http://h/", ""},
        {";;;", "", "http://h/", ""},
    };
    for (const auto& c : cases) {
        ProxySettings settings;
        settings.manualServers = c.servers;
        settings.bypassList = c.bypass;
        EXPECT_EQ(ManualDecision(settings, c.url).proxy, c.proxy)
            << "servers '" << c.servers << "' bypass '" << c.bypass << "' url " << c.url;
    }
}

TEST(ProxyRules, PacAnswersBecomeRoutesInOrder) {
    const struct {
        const char* answer;
        std::vector<std::string> proxies;
    } cases[] = {
        {"PROXY p:3128", {"http://p:3128"}},
        {"PROXY p:3128; DIRECT", {"http://p:3128", ""}},
        {"proxy a:1;SOCKS b:2 ;  socks5 c:3; HTTPS d:4", {"http://a:1", "socks4a://b:2", "socks5h://c:3", "https://d:4"}},
        {"DIRECT", {""}},
        {"", {""}},
        {"garbage; PROXY", {""}},
        {"PROXY", {""}},
        {"PROXY bad host:1; PROXY ok:2", {"http://ok:2"}},
        {"PROXY =p:1; PROXY a%b:2; PROXY [::1]:3", {"http://[::1]:3"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> proxies;
        for (const ProxyRoute& route : RoutesFromPacAnswer(c.answer)) proxies.push_back(route.proxy);
        EXPECT_EQ(proxies, c.proxies) << c.answer;
    }
}

TEST(ProxyRules, AddressPartsForTheDecision) {
    const struct {
        const char* url;
        const char* scheme;
        const char* host;
        int port;
    } cases[] = {
        {"http://Dl.Example.com/p.msi?a=b", "http", "dl.example.com", 80},
        {"HTTPS://h:8443", "https", "h", 8443},
        {"https://user:pw@h/x", "https", "h", 443},
        {"http://[::1]:48080/x", "http", "::1", 48080},
        {"http://h:bad/x", "http", "", 0},
        {"://h", "", "", 0},
    };
    for (const auto& c : cases) {
        const AddressParts parts = SplitAddress(c.url);
        EXPECT_EQ(parts.scheme, c.scheme) << c.url;
        EXPECT_EQ(parts.host, c.host) << c.url;
        EXPECT_EQ(parts.port, c.port) << c.url;
    }
}

}  // namespace

namespace {

using namespace Download;

TEST(ProxyResolver, AnAutomaticAnswerDecidesAndIsAskedOncePerHost) {
    ProxySettings settings;
    settings.autoConfigUrl = "http://wpad/proxy.pac";
    settings.manualServers = "manual:1";
    std::vector<std::string> asked;
    ProxyResolver resolver(settings, [&](const ProxySettings&, const std::string& url) -> std::optional<ProxyRoute> {
        asked.push_back(url);
        if (url.find("inside") != std::string::npos) return ProxyRoute{};
        if (url.find("unknown") != std::string::npos) return std::nullopt;  // the script cannot be had
        return ProxyRoute{"http://pac:3128"};
    });
    EXPECT_EQ(resolver.RouteFor("http://dl.example.com/a.msi").proxy, "http://pac:3128");
    EXPECT_EQ(resolver.RouteFor("http://dl.example.com/b.msi").proxy, "http://pac:3128");
    EXPECT_EQ(resolver.RouteFor("https://dl.example.com/b.msi").proxy, "http://pac:3128");
    EXPECT_EQ(resolver.RouteFor("http://inside.corp/x").proxy, "");
    EXPECT_EQ(resolver.RouteFor("http://unknown.example.com/x").proxy, "http://manual:1");
    EXPECT_EQ(resolver.RouteFor("http://unknown.example.com/y").proxy, "http://manual:1");
    // A script address is waited for before the first request too.
    const RouteChoice first = resolver.FirstRoute("http://other.example.com/y");
    EXPECT_FALSE(first.provisional);
    EXPECT_EQ(first.route.proxy, "http://pac:3128");
    // A second ask for the same scheme, host and port is answered from
    // memory, also when the script could not be had.
    EXPECT_EQ(asked.size(), 5u);
}

// Detection alone (no script address) runs beside the first request: the
// route its failure would leave goes first, provisionally, until it answers.
TEST(ProxyResolver, DetectionAloneIsNotWaitedForAndDecidesOnceItAnswers) {
    const std::string url = "http://dl.example.com/p.msi";
    const struct {
        const char* manual;
        std::optional<ProxyRoute> detected;
        const char* first;    // before detection answers
        const char* settled;  // after
    } cases[] = {
        {"", ProxyRoute{"http://wpad:8080"}, "", "http://wpad:8080"},
        {"manual:1", ProxyRoute{"http://wpad:8080"}, "http://manual:1", "http://wpad:8080"},
        {"", ProxyRoute{}, "", ""},                           // the script says DIRECT
        {"manual:1", std::nullopt, "http://manual:1", "http://manual:1"},  // no script found
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.manual);
        DownloadTestSupport::HeldDetection detection(c.detected);
        ProxySettings settings;
        settings.autoDetect = true;
        settings.manualServers = c.manual;
        ProxyResolver resolver(settings, detection.Lookup());

        const RouteChoice first = resolver.FirstRoute(url);
        EXPECT_TRUE(first.provisional);
        EXPECT_EQ(first.route.proxy, c.first);
        EXPECT_FALSE(resolver.SettledRoute(url, std::chrono::milliseconds(0)));
        EXPECT_FALSE(detection.Answered());

        detection.Release();
        const std::optional<ProxyRoute> settled = resolver.SettledRoute(url, std::chrono::seconds(20));
        ASSERT_TRUE(settled);
        EXPECT_EQ(settled->proxy, c.settled);
        const RouteChoice later = resolver.FirstRoute("http://dl.example.com/other.msi");
        EXPECT_FALSE(later.provisional);
        EXPECT_EQ(later.route.proxy, c.settled);
        EXPECT_EQ(resolver.RouteFor(url).proxy, c.settled);
        EXPECT_EQ(detection.Asks(), 1);
    }
}

TEST(ProxyResolver, WithoutAutomaticSettingsTheManualListDecides) {
    ProxySettings settings;
    settings.manualServers = "http=p:1";
    settings.bypassList = "<local>";
    bool asked = false;
    ProxyResolver resolver(settings, [&](const ProxySettings&, const std::string&) -> std::optional<ProxyRoute> {
        asked = true;
        return ProxyRoute{"http://never:1"};
    });
    EXPECT_EQ(resolver.RouteFor("http://dl.example.com/").proxy, "http://p:1");
    EXPECT_EQ(resolver.RouteFor("http://intranet/").proxy, "");
    EXPECT_FALSE(asked);
    EXPECT_TRUE(resolver.MayUseProxy());
    EXPECT_FALSE(ProxyResolver(ProxySettings{}).MayUseProxy());
}

}  // namespace
