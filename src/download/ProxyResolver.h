// Which route each address of a download takes, from the user's proxy
// settings: the manual list and its bypass list decided here, an automatic
// configuration (PAC script or WPAD) answered by the platform's script engine.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/AwaitedValue.h"
#include "download/ProxyRules.h"

namespace Download {

// The settings of the current user. Windows: WinHTTP's view of the Internet
// settings. Native build: CORVANE_SYSTEM_PROXY (the manual list) and
// CORVANE_SYSTEM_PROXY_BYPASS, variables libcurl does not read by itself.
ProxySettings ReadUserProxySettings();

// The route an automatic configuration gives for the address; nothing when
// there is no automatic configuration or it cannot be had (no script found,
// script unreachable), in which case the manual settings decide. Windows:
// WinHttpGetProxyForUrl; native build: never an answer.
std::optional<ProxyRoute> AutomaticRoute(const ProxySettings& settings, const std::string& url);

// The first route of an address, chosen without waiting for automatic
// detection (WPAD), which on many networks takes seconds to find nothing.
struct RouteChoice {
    ProxyRoute route;
    // Detection was still running: the route is the one its failure would
    // leave (the manual settings'); a detected proxy replaces it when it
    // does not connect.
    bool provisional = false;
};

class ProxyResolver {
public:
    // Asked once per scheme, host and port; it may be asked on a thread of
    // its own that outlives the resolver, so it must own what it reads.
    using AutomaticLookup = std::function<std::optional<ProxyRoute>(const ProxySettings&, const std::string&)>;

    explicit ProxyResolver(ProxySettings settings, AutomaticLookup automatic = &AutomaticRoute);

    // The route for one address, once the automatic configuration has
    // answered. An automatic answer is asked once per scheme, host and port,
    // since a script answers per host in practice and every ask may fetch
    // the script again.
    ProxyRoute RouteFor(const std::string& url);

    // The route to try first. A configuration script is waited for as in
    // RouteFor; automatic detection alone is started in the background and
    // the route its failure would leave is taken at once, provisionally.
    RouteChoice FirstRoute(const std::string& url);

    // The route once the automatic configuration has answered, waiting for
    // it at most `wait`; nothing while it is still being looked up.
    std::optional<ProxyRoute> SettledRoute(const std::string& url, std::chrono::milliseconds wait);

    // Whether the settings may send an address through a proxy at all.
    bool MayUseProxy() const { return settings_.Automatic() || !settings_.manualServers.empty(); }
    const ProxySettings& Settings() const { return settings_; }

private:
    using Answer = std::shared_ptr<Common::AwaitedValue<std::optional<ProxyRoute>>>;

    // The automatic answer for the address, looked up on the first ask: in
    // the background, or on the calling thread, which then waits anyway.
    Answer AutomaticAnswer(const std::string& url, bool background);
    // The route an automatic answer gives, or the manual settings' when
    // there is none.
    ProxyRoute Decide(const Answer& answer, const std::string& url) const;
    bool UsesAutomatic(const std::string& url) const;

    ProxySettings settings_;
    AutomaticLookup automatic_;
    std::mutex mutex_;
    std::map<std::string, Answer> automaticAnswers_;
};

}  // namespace Download
