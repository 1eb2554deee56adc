#include "download/LogPoster.h"

#include <climits>
#include <memory>

#include <curl/curl.h>

#include "DeploymentValues.h"
#include "common/AnsiText.h"
#include "download/CurlEasy.h"
#include "download/ProxyResolver.h"
#include "download/RequestOptions.h"

namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)";

struct CurlFree {
    void operator()(char* text) const { curl_free(text); }
};

std::size_t CollectAnswer(char* data, std::size_t size, std::size_t count, void* answer) {
    const std::size_t bytes = size * count;
    try {
        static_cast<std::string*>(answer)->append(data, bytes);
    } catch (...) {
        return 0;  // no exception may cross libcurl; the status is read anyway
    }
    return bytes;
}

}  // namespace

std::int32_t PostLogMessage(const std::string& message) {
    return PostLogMessage(message, Common::ToAnsi(Deployment::kLogHandlerUrl));
}

std::int32_t PostLogMessage(const std::string& message, const std::string& endpoint, long timeoutSeconds) {
    try {
        Download::ProxyResolver routes(Download::ReadUserProxySettings());
        return PostLogMessage(message, endpoint, timeoutSeconds, routes);
    } catch (...) {
        return 0;  // out of memory while reading the settings: nothing was sent
    }
}

std::int32_t PostLogMessage(const std::string& message, const std::string& endpoint, long timeoutSeconds,
                            Download::ProxyResolver& routes) {
    try {
        Download::CurlEasy handle(curl_easy_init());
        if (!handle) return 0;  // nothing was sent, so no answer arrived
        CURL* curl = handle.Get();

        if (message.size() > static_cast<std::size_t>(INT_MAX)) return -1;
        const std::unique_ptr<char, CurlFree> encoded(
            curl_easy_escape(curl, message.data(), static_cast<int>(message.size())));
        if (!encoded) return -1;
        const std::string body = std::string("message=") + encoded.get();

        std::string answer;
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_URL, endpoint.c_str());
        curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CollectAnswer);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeoutSeconds);
        // The same route and the same trust as the package download.
        Download::SetRoute(curl, routes.RouteFor(endpoint));
        Download::SetTransportSecurity(curl);
        curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, &Download::RequireTrustedPeer);
        curl_easy_setopt(curl, CURLOPT_PREREQDATA, curl);
        curl_easy_perform(curl);  // the outcome shows in the status code

        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        return static_cast<std::int32_t>(status);
    } catch (...) {
        return 0;  // out of memory while building the body: nothing was sent
    }
}
