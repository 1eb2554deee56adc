// The user's proxy configuration and the decision it gives for one address.
//
// Windows keeps the configuration per user in the Internet settings: an
// automatic detection flag (WPAD), the address of an automatic configuration
// script (PAC), a manual server list and a bypass list. A manual list is
// either one "host:port" for every scheme or a per-scheme list such as
// "http=host:port;https=host2:port;socks=host3:port". The decision is made for
// every address a request goes to (redirect targets and the fallback address
// included), since the bypass list and a PAC script answer per address.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Download {

// As WinHTTP reports the settings of the current user; texts as written there.
struct ProxySettings {
    bool autoDetect = false;    // WPAD
    std::string autoConfigUrl;  // PAC script address; empty: none
    std::string manualServers;  // "host:port" or "scheme=host:port;..."; empty: none
    std::string bypassList;     // "<local>;*.example.com;10.*"; empty: none

    bool Automatic() const { return autoDetect || !autoConfigUrl.empty(); }
};

// One way to reach an address: directly or through one proxy, in the form
// libcurl takes ("http://host:port", "socks4a://host:port"); empty: DIRECT.
struct ProxyRoute {
    std::string proxy;

    bool Direct() const { return proxy.empty(); }
    bool operator==(const ProxyRoute& other) const { return proxy == other.proxy; }
};

// The parts of an absolute address the rules look at; host in lower case,
// without brackets around an IPv6 literal. Empty host: not an address.
struct AddressParts {
    std::string scheme;  // lower case
    std::string host;
    int port = 0;
};
AddressParts SplitAddress(std::string_view url);

// The manual server for an address of the given scheme, as a libcurl proxy;
// an empty route when the list names none for that scheme. A per-scheme list
// falls back to its "socks=" entry; an entry without a scheme serves all.
ProxyRoute ManualRoute(std::string_view manualServers, std::string_view scheme);

// Whether the bypass list sends the host directly: "<local>" (a name without
// a dot), wildcard patterns ("*.example.com", "10.*"), optionally with a
// scheme ("https://host") or a port ("host:8080"). Loopback addresses are
// always direct unless the list holds "<-loopback>", as on Windows.
bool BypassesProxy(std::string_view bypassList, const AddressParts& address);

// The routes a PAC script's answer names, in order ("PROXY a:1; SOCKS b:2;
// DIRECT"). An empty or unreadable answer means DIRECT.
std::vector<ProxyRoute> RoutesFromPacAnswer(std::string_view answer);

// The route of an address under the manual settings (automatic ones are
// answered by the platform's script engine).
ProxyRoute ManualDecision(const ProxySettings& settings, std::string_view url);

}  // namespace Download
