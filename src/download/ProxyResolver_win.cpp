#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <memory>

#include "common/AwaitedValue.h"
#include "common/DetachedThread.h"
#include "common/UniqueResource.h"
#include "common/WinHandles.h"
#include "download/ProxyResolver.h"

namespace Download {

namespace {

// Proxy texts are ASCII; anything else can name no usable server and becomes
// a character the rules refuse in a host.
std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; text && *text; ++text) narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
    return narrow;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// WinHTTP hands out its texts in global memory that the caller frees.
std::string TakeText(wchar_t* text) {
    const Common::UniqueGlobal owner(reinterpret_cast<HGLOBAL>(text));
    return Narrow(text);
}

struct WinHttpHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::WinHttpCloseHandle(handle); }
};
using WinHttpHandle = Common::UniqueResource<WinHttpHandleTraits>;

// Bounds the script download and run. WinHTTP's own time-outs do not reach
// the script download everywhere (Wine waits a minute on an address that
// swallows the connection), so the lookup also runs on a thread of its own
// that is given up after the bound.
constexpr int kScriptTimeoutMilliseconds = 5000;
constexpr auto kLookupBound = std::chrono::milliseconds(kScriptTimeoutMilliseconds + 1000);

std::optional<ProxyRoute> LookUp(const ProxySettings& settings, const std::string& url);

}  // namespace

ProxySettings ReadUserProxySettings() {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    ProxySettings settings;
    if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) return settings;
    settings.autoDetect = config.fAutoDetect != FALSE;
    settings.autoConfigUrl = TakeText(config.lpszAutoConfigUrl);
    settings.manualServers = TakeText(config.lpszProxy);
    settings.bypassList = TakeText(config.lpszProxyBypass);
    return settings;
}

std::optional<ProxyRoute> AutomaticRoute(const ProxySettings& settings, const std::string& url) {
    if (!settings.Automatic()) return std::nullopt;
    // The thread owns copies of what it reads, so that it may outlive a
    // lookup that was given up. Without a thread the script could not be had.
    auto answer = std::make_shared<Common::AwaitedValue<std::optional<ProxyRoute>>>();
    const bool started = Common::StartDetachedThread([answer, settings, url] {
        try {
            answer->Set(LookUp(settings, url));
        } catch (...) {
            answer->Set(std::nullopt);
        }
    });
    if (!started || !answer->WaitFor(kLookupBound)) return std::nullopt;
    return answer->Get();
}

namespace {

std::optional<ProxyRoute> LookUp(const ProxySettings& settings, const std::string& url) {
    const WinHttpHandle session(WinHttpOpen(L"Corvane Installer", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                            WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return std::nullopt;
    WinHttpSetTimeouts(session.Get(), kScriptTimeoutMilliseconds, kScriptTimeoutMilliseconds,
                       kScriptTimeoutMilliseconds, kScriptTimeoutMilliseconds);

    const std::wstring scriptUrl = Widen(settings.autoConfigUrl);
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (!settings.autoConfigUrl.empty()) {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = scriptUrl.c_str();
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    options.fAutoLogonIfChallenged = TRUE;

    const std::wstring address = Widen(url);
    WINHTTP_PROXY_INFO info{};
    if (!WinHttpGetProxyForUrl(session.Get(), address.c_str(), &options, &info)) return std::nullopt;
    const std::string servers = TakeText(info.lpszProxy);
    const std::string bypass = TakeText(info.lpszProxyBypass);
    if (info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY || servers.empty()) return ProxyRoute{};
    // The script's servers come as a list ("a:1;b:2"), the first one first.
    ProxySettings answer;
    answer.manualServers = servers;
    answer.bypassList = bypass + ";<-loopback>";
    return ManualDecision(answer, url);
}

}  // namespace

}  // namespace Download
