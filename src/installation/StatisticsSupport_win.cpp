#include "installation/StatisticsSupport.h"

#include <memory>
#include <mutex>

#include "download/LogPoster.h"
#include "download/ProxyResolver.h"

namespace Installation {
namespace {

// The route decision of every fallback line of one record: the user's proxy
// settings and an automatic configuration (whose script may take seconds to
// fetch, or to fail) are looked up once, at the first post, on the thread
// that posts.
class SharedRoutes {
public:
    Download::ProxyResolver& Get() {
        std::call_once(made_, [this] {
            resolver_ = std::make_unique<Download::ProxyResolver>(Download::ReadUserProxySettings());
        });
        return *resolver_;
    }

private:
    std::once_flag made_;
    std::unique_ptr<Download::ProxyResolver> resolver_;
};

}  // namespace

InstallationStatistics::Support RecordSupport() {
    InstallationStatistics::Support support;
    support.postLogLine = [routes = std::make_shared<SharedRoutes>()](const std::string& line,
                                                                      const std::string& endpoint,
                                                                      long timeoutSeconds) {
        try {
            PostLogMessage(line, endpoint, timeoutSeconds, routes->Get());
        } catch (...) {
            // Best effort, like the post itself: no settings, no line.
        }
    };
    return support;
}

}  // namespace Installation
