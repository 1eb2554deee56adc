#include <cstdlib>

#include "download/ProxyResolver.h"

namespace Download {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

ProxySettings ReadUserProxySettings() {
    ProxySettings settings;
    settings.manualServers = Variable("CORVANE_SYSTEM_PROXY");
    settings.bypassList = Variable("CORVANE_SYSTEM_PROXY_BYPASS");
    return settings;
}

std::optional<ProxyRoute> AutomaticRoute(const ProxySettings&, const std::string&) { return std::nullopt; }

}  // namespace Download
