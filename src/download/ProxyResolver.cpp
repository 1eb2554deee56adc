#include "download/ProxyResolver.h"

namespace Download {

ProxyResolver::ProxyResolver(ProxySettings settings, AutomaticLookup automatic)
    : settings_(std::move(settings)), automatic_(std::move(automatic)) {}

ProxyRoute ProxyResolver::RouteFor(const std::string& url) {
    const AddressParts address = SplitAddress(url);
    if (address.host.empty()) return {};
    if (settings_.Automatic() && automatic_) {
        const std::string key = address.scheme + "://" + address.host + ":" + std::to_string(address.port);
        std::optional<ProxyRoute> answer;
        bool known = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const auto found = automaticAnswers_.find(key);
            if (found != automaticAnswers_.end()) {
                known = true;
                answer = found->second;
            }
        }
        // A script that could not be had is remembered too: asking again
        // for every request would start a new discovery each time.
        if (!known) {
            answer = automatic_(settings_, url);
            std::lock_guard<std::mutex> lock(mutex_);
            automaticAnswers_[key] = answer;
        }
        // An automatic configuration that answers decides; one that cannot
        // be had leaves the decision to the manual settings, as on Windows.
        if (answer) return *answer;
    }
    return ManualDecision(settings_, url);
}

}  // namespace Download
