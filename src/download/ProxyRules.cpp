#include "download/ProxyRules.h"

#include <algorithm>
#include <cctype>

namespace Download {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string LowerText(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// The pieces of a list separated by any of the separators, trimmed, without
// empty ones.
std::vector<std::string_view> SplitList(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view piece = Trim(text.substr(start, end - start));
        if (!piece.empty()) pieces.push_back(piece);
        start = end + 1;
    }
    return pieces;
}

// A decimal port of 1 to 65535; 0 when the text is not one.
int ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) return 0;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        port = port * 10 + (c - '0');
    }
    return port <= 65535 ? port : 0;
}

int DefaultPort(std::string_view scheme) {
    if (scheme == "https") return 443;
    if (scheme.substr(0, 5) == "socks") return 1080;
    return 80;
}

struct HostPort {
    std::string host;  // lower case; an IPv6 literal keeps its brackets
    int port = 0;      // 0: none given
    bool valid = false;
};

bool HostCharacter(char c, bool wildcards) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || (wildcards && c == '*');
}

bool Ipv6Character(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

// "host", "host:port", "[v6]" or "[v6]:port". A host holds only what a name
// or an address can hold (with `wildcards`, also "*" for bypass patterns), so
// that nothing else ever reaches the proxy option.
HostPort SplitHostPort(std::string_view text, bool wildcards = false) {
    HostPort result;
    if (text.empty()) return result;
    std::string_view host = text;
    std::string_view port;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return result;
        host = text.substr(0, close + 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return result;
            port = rest.substr(1);
        }
    } else {
        const std::size_t colon = text.rfind(':');
        if (colon != std::string_view::npos) {
            if (text.find(':') != colon) return result;  // a bare IPv6 literal is ambiguous
            host = text.substr(0, colon);
            port = text.substr(colon + 1);
        }
    }
    if (host.empty() || host == "[]") return result;
    if (host.front() == '[') {
        for (char c : host.substr(1, host.size() - 2)) {
            if (!Ipv6Character(c)) return result;
        }
    } else {
        for (char c : host) {
            if (!HostCharacter(c, wildcards)) return result;
        }
    }
    if (!port.empty()) {
        result.port = ParsePort(port);
        if (result.port == 0) return result;
    }
    result.host = LowerText(host);
    result.valid = true;
    return result;
}

// A server entry of a manual list or a PAC answer in libcurl's form, with the
// default port of its kind; empty when the entry is not a server.
std::string CurlProxy(std::string_view kind, std::string_view server) {
    // Some lists write the server as an address: "http=http://proxy:8080".
    const std::size_t schemeEnd = server.find("://");
    if (schemeEnd != std::string_view::npos) server.remove_prefix(schemeEnd + 3);
    while (!server.empty() && server.back() == '/') server.remove_suffix(1);
    const HostPort hostPort = SplitHostPort(server);
    if (!hostPort.valid) return {};
    const int port = hostPort.port != 0 ? hostPort.port : DefaultPort(kind);
    std::string prefix = "http://";
    if (kind == "socks" || kind == "socks4") prefix = "socks4a://";
    if (kind == "socks5") prefix = "socks5h://";
    if (kind == "https") prefix = "https://";
    return prefix + hostPort.host + ":" + std::to_string(port);
}

// '*' matches any run of characters; case is ignored (both sides are lower case).
bool WildcardMatch(std::string_view pattern, std::string_view text) {
    std::size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool IsLoopback(std::string_view host) {
    return host == "localhost" || host == "::1" || host == "[::1]" || host.substr(0, 4) == "127.";
}

bool BypassEntryMatches(std::string_view entry, const AddressParts& address) {
    std::string pattern = LowerText(entry);
    std::string_view rest = pattern;
    const std::size_t schemeEnd = rest.find("://");
    if (schemeEnd != std::string_view::npos) {
        if (rest.substr(0, schemeEnd) != address.scheme) return false;
        rest.remove_prefix(schemeEnd + 3);
    }
    const HostPort hostPort = SplitHostPort(rest, true);
    std::string_view hostPattern = hostPort.valid ? std::string_view(hostPort.host) : rest;
    if (hostPort.valid && hostPort.port != 0 && hostPort.port != address.port) return false;
    std::string host = address.host;
    if (!hostPattern.empty() && hostPattern.front() == '[') host = "[" + host + "]";
    return WildcardMatch(hostPattern, host);
}

}  // namespace

AddressParts SplitAddress(std::string_view url) {
    AddressParts parts;
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos || schemeEnd == 0) return parts;
    parts.scheme = LowerText(url.substr(0, schemeEnd));
    std::string_view authority = url.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    const HostPort hostPort = SplitHostPort(authority);
    if (!hostPort.valid) return AddressParts{parts.scheme, {}, 0};
    parts.host = hostPort.host;
    if (parts.host.size() >= 2 && parts.host.front() == '[') parts.host = parts.host.substr(1, parts.host.size() - 2);
    parts.port = hostPort.port != 0 ? hostPort.port : DefaultPort(parts.scheme);
    return parts;
}

ProxyRoute ManualRoute(std::string_view manualServers, std::string_view scheme) {
    std::string forAll, forScheme, socks;
    for (std::string_view entry : SplitList(manualServers, "; \t\r\n")) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (forAll.empty()) forAll = CurlProxy("http", entry);
            continue;
        }
        const std::string entryScheme = LowerText(Trim(entry.substr(0, equals)));
        const std::string_view server = Trim(entry.substr(equals + 1));
        if (entryScheme == scheme && forScheme.empty()) forScheme = CurlProxy("http", server);
        if (entryScheme == "socks" && socks.empty()) socks = CurlProxy("socks", server);
    }
    if (!forScheme.empty()) return {forScheme};
    if (!forAll.empty()) return {forAll};
    return {socks};
}

bool BypassesProxy(std::string_view bypassList, const AddressParts& address) {
    const std::vector<std::string_view> entries = SplitList(bypassList, "; ,\t\r\n");
    const bool loopbackThroughProxy =
        std::any_of(entries.begin(), entries.end(), [](std::string_view e) { return LowerText(e) == "<-loopback>"; });
    if (!loopbackThroughProxy && IsLoopback(address.host)) return true;
    for (std::string_view entry : entries) {
        const std::string lower = LowerText(entry);
        if (lower == "<-loopback>") continue;
        if (lower == "<local>") {
            if (address.host.find_first_of(".:") == std::string::npos) return true;
            continue;
        }
        if (BypassEntryMatches(entry, address)) return true;
    }
    return false;
}

std::vector<ProxyRoute> RoutesFromPacAnswer(std::string_view answer) {
    std::vector<ProxyRoute> routes;
    for (std::string_view entry : SplitList(answer, ";")) {
        const std::size_t space = entry.find_first_of(" \t");
        const std::string keyword = LowerText(entry.substr(0, space));
        if (keyword == "direct") {
            routes.push_back({});
            continue;
        }
        if (space == std::string_view::npos) continue;
        const std::string_view server = Trim(entry.substr(space));
        std::string proxy;
        if (keyword == "proxy" || keyword == "http") proxy = CurlProxy("http", server);
        else if (keyword == "https") proxy = CurlProxy("https", server);
        else if (keyword == "socks" || keyword == "socks4") proxy = CurlProxy("socks", server);
        else if (keyword == "socks5") proxy = CurlProxy("socks5", server);
        if (!proxy.empty()) routes.push_back({proxy});
    }
    if (routes.empty()) routes.push_back({});
    return routes;
}

ProxyRoute ManualDecision(const ProxySettings& settings, std::string_view url) {
    if (settings.manualServers.empty()) return {};
    const AddressParts address = SplitAddress(url);
    if (address.host.empty() || BypassesProxy(settings.bypassList, address)) return {};
    return ManualRoute(settings.manualServers, address.scheme);
}

}  // namespace Download
