#include "download/ProxyResolver.h"

#include "common/DetachedThread.h"

namespace Download {

namespace {

std::string HostKey(const AddressParts& address) {
    return address.scheme + "://" + address.host + ":" + std::to_string(address.port);
}

}  // namespace

ProxyResolver::ProxyResolver(ProxySettings settings, AutomaticLookup automatic)
    : settings_(std::move(settings)), automatic_(std::move(automatic)) {}

bool ProxyResolver::UsesAutomatic(const std::string& url) const {
    return settings_.Automatic() && automatic_ && !SplitAddress(url).host.empty();
}

ProxyResolver::Answer ProxyResolver::AutomaticAnswer(const std::string& url, bool background) {
    Answer answer;
    {
        // A configuration that could not be had is remembered too: asking
        // again for every request would start a new discovery each time.
        std::lock_guard<std::mutex> lock(mutex_);
        const auto [entry, fresh] = automaticAnswers_.try_emplace(HostKey(SplitAddress(url)));
        if (!fresh) return entry->second;
        entry->second = answer = std::make_shared<Answer::element_type>();
    }
    // The lookup owns copies of what it reads, so that it may outlive the resolver.
    auto lookUp = [answer, lookup = automatic_, settings = settings_, url] {
        std::optional<ProxyRoute> route;
        try {
            route = lookup(settings, url);
        } catch (...) {
            // A lookup that fails is one that could not be had.
        }
        answer->Set(std::move(route));
    };
    // No thread to be had: the lookup runs here after all.
    if (!background || !Common::StartDetachedThread(lookUp)) lookUp();
    return answer;
}

ProxyRoute ProxyResolver::Decide(const Answer& answer, const std::string& url) const {
    // An automatic configuration that answers decides; one that cannot be
    // had leaves the decision to the manual settings, as on Windows.
    const std::optional<ProxyRoute>& route = answer->Get();
    return route ? *route : ManualDecision(settings_, url);
}

ProxyRoute ProxyResolver::RouteFor(const std::string& url) {
    if (!UsesAutomatic(url)) return ManualDecision(settings_, url);
    return Decide(AutomaticAnswer(url, false), url);
}

RouteChoice ProxyResolver::FirstRoute(const std::string& url) {
    const bool detectionOnly = settings_.autoDetect && settings_.autoConfigUrl.empty();
    if (!detectionOnly || !UsesAutomatic(url)) return {RouteFor(url), false};
    const Answer answer = AutomaticAnswer(url, true);
    if (answer->WaitFor(std::chrono::milliseconds(0))) return {Decide(answer, url), false};
    return {ManualDecision(settings_, url), true};
}

std::optional<ProxyRoute> ProxyResolver::SettledRoute(const std::string& url, std::chrono::milliseconds wait) {
    if (!UsesAutomatic(url)) return ManualDecision(settings_, url);
    const Answer answer = AutomaticAnswer(url, true);
    if (!answer->WaitFor(wait)) return std::nullopt;
    return Decide(answer, url);
}

}  // namespace Download
