// Which route each address of a download takes, from the user's proxy
// settings: the manual list and its bypass list decided here, an automatic
// configuration (PAC script or WPAD) answered by the platform's script engine.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

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

class ProxyResolver {
public:
    using AutomaticLookup = std::function<std::optional<ProxyRoute>(const ProxySettings&, const std::string&)>;

    explicit ProxyResolver(ProxySettings settings, AutomaticLookup automatic = &AutomaticRoute);

    // The route for one address. An automatic answer is asked once per
    // scheme, host and port, since a script answers per host in practice and
    // every ask may fetch the script again.
    ProxyRoute RouteFor(const std::string& url);

    // Whether the settings may send an address through a proxy at all.
    bool MayUseProxy() const { return settings_.Automatic() || !settings_.manualServers.empty(); }
    const ProxySettings& Settings() const { return settings_; }

private:
    ProxySettings settings_;
    AutomaticLookup automatic_;
    std::mutex mutex_;
    std::map<std::string, std::optional<ProxyRoute>> automaticAnswers_;
};

}  // namespace Download
