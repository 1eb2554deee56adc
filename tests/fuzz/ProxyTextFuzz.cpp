// Proxy settings texts (the manual list, the bypass list), the addresses they
// are applied to and the answers of automatic configuration scripts come from
// the user's machine and the network. Whatever they hold, a decision is a
// proxy in the one form libcurl is given, or DIRECT: never a text that could
// smuggle a user name, a path or a second address into the proxy option.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "download/ProxyResolver.h"
#include "download/ProxyRules.h"

namespace {

bool ValidProxy(const std::string& proxy) {
    if (proxy.empty()) return true;
    std::size_t at = 0;
    for (const char* scheme : {"http://", "https://", "socks4a://", "socks5h://"}) {
        const std::string prefix(scheme);
        if (proxy.compare(0, prefix.size(), prefix) == 0) {
            at = prefix.size();
            break;
        }
    }
    if (at == 0) return false;
    const std::size_t colon = proxy.rfind(':');
    if (colon == std::string::npos || colon <= at) return false;
    for (std::size_t i = at; i < colon; ++i) {
        const char c = proxy[i];
        if (c == '/' || c == '@' || c == '?' || c == '#' || c == '\\' || c == ' ' || c == '\t' || c == '\r' ||
            c == '\n' || c == '\0' || c == ';' || c == '=') {
            return false;
        }
    }
    const std::string port = proxy.substr(colon + 1);
    if (port.empty() || port.size() > 5) return false;
    for (char c : port) {
        if (c < '0' || c > '9') return false;
    }
    const long number = std::strtol(port.c_str(), nullptr, 10);
    return number >= 1 && number <= 65535;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Three texts, one per line: the manual list, the bypass list, the address.
    const std::size_t first = input.find('\n');
    const std::size_t second = first == std::string::npos ? std::string::npos : input.find('\n', first + 1);
    Download::ProxySettings settings;
    settings.manualServers = input.substr(0, first);
    settings.bypassList = first == std::string::npos ? "" : input.substr(first + 1, second - first - 1);
    const std::string url = second == std::string::npos ? "http://h/p.msi" : input.substr(second + 1);

    if (!ValidProxy(Download::ManualDecision(settings, url).proxy)) std::abort();
    for (const char* scheme : {"http", "https", "ftp", ""}) {
        if (!ValidProxy(Download::ManualRoute(input, scheme).proxy)) std::abort();
    }
    const auto routes = Download::RoutesFromPacAnswer(input);
    if (routes.empty()) std::abort();
    for (const auto& route : routes) {
        if (!ValidProxy(route.proxy)) std::abort();
    }
    // An automatic answer that cannot be had leaves the manual decision.
    settings.autoDetect = true;
    Download::ProxyResolver resolver(settings, [](const Download::ProxySettings&, const std::string&) {
        return std::optional<Download::ProxyRoute>();
    });
    if (resolver.RouteFor(url).proxy != Download::ManualDecision(settings, url).proxy) std::abort();
    return 0;
}
