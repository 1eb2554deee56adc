#include "download/ProxyResolver.h"

#include <system_error>
#include <thread>

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
    // Shared, so that it is still there when no thread could be started.
    auto promise = std::make_shared<std::promise<std::optional<ProxyRoute>>>();
    Answer answer;
    {
        // A configuration that could not be had is remembered too: asking
        // again for every request would start a new discovery each time.
        std::lock_guard<std::mutex> lock(mutex_);
        const auto [entry, fresh] = automaticAnswers_.try_emplace(HostKey(SplitAddress(url)));
        if (!fresh) return entry->second;
        entry->second = answer = promise->get_future().share();
    }
    // The lookup owns copies of what it reads, so that it may outlive the resolver.
    auto lookUp = [promise, lookup = automatic_, settings = settings_, url] {
        std::optional<ProxyRoute> route;
        try {
            route = lookup(settings, url);
        } catch (...) {
            // A lookup that fails is one that could not be had.
        }
        promise->set_value(std::move(route));
    };
    if (background) {
        try {
            std::thread(lookUp).detach();
            return answer;
        } catch (const std::system_error&) {
            // No thread to be had: the lookup runs here after all.
        }
    }
    lookUp();
    return answer;
}

ProxyRoute ProxyResolver::Decide(const Answer& answer, const std::string& url) const {
    // An automatic configuration that answers decides; one that cannot be
    // had leaves the decision to the manual settings, as on Windows.
    const std::optional<ProxyRoute>& route = answer.get();
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
    if (answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready) return {Decide(answer, url), false};
    return {ManualDecision(settings_, url), true};
}

std::optional<ProxyRoute> ProxyResolver::SettledRoute(const std::string& url, std::chrono::milliseconds wait) {
    if (!UsesAutomatic(url)) return ManualDecision(settings_, url);
    const Answer answer = AutomaticAnswer(url, true);
    if (answer.wait_for(wait) != std::future_status::ready) return std::nullopt;
    return Decide(answer, url);
}

}  // namespace Download
