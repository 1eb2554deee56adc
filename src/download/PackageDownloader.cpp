#include "download/PackageDownloader.h"

#include <filesystem>
#include <system_error>

#define CURL_DISABLE_DEPRECATION  // the progress callback with double counts
#include <curl/curl.h>

#include "download/PackageFileName.h"
#include "download/RequestOptions.h"
#include "download/RequestUrl.h"
#include "download/PeerCertificate.h"
#include "download/TargetPath.h"
#include "download/UrlEscape.h"

namespace {

// A server redirecting in a circle must end as a failed transfer, not run
// forever.
constexpr long kMaxRedirects = 30;

// The receive buffer of a package transfer. Under Wine every receive call is
// costly, so few large reads matter; libcurl accepts at most 512 KiB.
constexpr long kReceiveBufferSize = 512 * 1024;

constexpr long kProxyAuthenticationRequired = 407;

constexpr std::int32_t kNoHandle = -2;
constexpr std::int32_t kFileNotOpened = -3;
constexpr std::int32_t kNoEffectiveUrl = -4;

void* CreateCurlHandle() { return curl_easy_init(); }

PackageDownloader* Self(void* self) { return static_cast<PackageDownloader*>(self); }

bool Successful(long status) { return status >= 200 && status <= 299; }

}  // namespace

PackageDownloader::PackageDownloader(DownloadProgressCallback progress, const DownloadTimeouts& timeouts)
    : PackageDownloader(std::move(progress),
                        std::make_unique<Download::ProxyResolver>(Download::ReadUserProxySettings()), timeouts) {}

PackageDownloader::PackageDownloader(DownloadProgressCallback progress,
                                     std::unique_ptr<Download::ProxyResolver> resolver,
                                     const DownloadTimeouts& timeouts)
    : progress_(std::move(progress)),
      resolver_(std::move(resolver)),
      handleSource_(&CreateCurlHandle),
      timeouts_(timeouts),
      handle_(handleSource_()) {}

PackageDownloader::PackageDownloader(DownloadProgressCallback progress, HandleSource handleSource,
                                     const DownloadTimeouts& timeouts)
    : progress_(std::move(progress)),
      resolver_(std::make_unique<Download::ProxyResolver>(Download::ReadUserProxySettings())),
      handleSource_(handleSource),
      timeouts_(timeouts),
      handle_(handleSource()) {}

PackageDownloader::~PackageDownloader() = default;

void PackageDownloader::Fail(DownloadFailure failure, std::int32_t code) {
    lastError_ = code;
    throw UDownloadException(failure, code);
}

void PackageDownloader::ThrowIfStopped() const {
    if (stop_.load()) throw StopDownloading();
}

void PackageDownloader::RenewHandle() {
    handle_.Reset();
    handle_.Reset(handleSource_());
    if (!handle_) Fail(DownloadFailure::NoTransferHandle, kNoHandle);
}

// Without the time-outs a silent server or an address that swallows packets
// would hold the worker thread until the progress function sees a stop.
void PackageDownloader::SetCommonOptions() {
    CURL* curl = handle_.Get();
    Download::SetTransportSecurity(curl);
    curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, &PackageDownloader::OnPrerequest);
    curl_easy_setopt(curl, CURLOPT_PREREQDATA, this);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connectMilliseconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, timeouts_.lowSpeedBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts_.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // Every request, the name request included, hears a stop within a second.
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_PROGRESSFUNCTION, &PackageDownloader::OnProgress);
    curl_easy_setopt(curl, CURLOPT_PROGRESSDATA, this);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
}

void PackageDownloader::SetNameResolutionOptions() {
    SetCommonOptions();
    // Only the status and the address reached count: the first body bytes end it.
    curl_easy_setopt(handle_.Get(), CURLOPT_WRITEFUNCTION, &PackageDownloader::RefuseBody);
}

void PackageDownloader::SetTransferOptions() {
    CURL* curl = handle_.Get();
    SetCommonOptions();
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &PackageDownloader::WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferSize);
}

void PackageDownloader::SetUrl(const std::u16string& url) {
    ThrowIfStopped();
    std::string escaped = Download::EscapeUrlSpaces(Download::RequestUrl(url));
    if (!escaped.empty()) url_ = std::move(escaped);
}

int PackageDownloader::PerformHop(const std::string& address, const std::string& referer) {
    CURL* curl = handle_.Get();
    const Download::ProxyRoute route = resolver_->RouteFor(address);
    proxy_ = route.proxy;
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    Download::SetRoute(curl, route);
    // A followed request names the address it came from, as libcurl's own
    // redirect following did.
    curl_easy_setopt(curl, CURLOPT_REFERER, referer.empty() ? nullptr : referer.c_str());
    return curl_easy_perform(curl);
}

PackageDownloader::Answer PackageDownloader::FollowRedirects() {
    CURL* curl = handle_.Get();
    const bool secureStart = Download::SplitAddress(url_).scheme == "https";
    Answer answer;
    answer.address = url_;
    std::string referer;
    for (long redirects = 0;; ++redirects) {
        ThrowIfStopped();
        answer.result = PerformHop(answer.address, referer);
        answer.status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
        long tunnelStatus = 0;
        curl_easy_getinfo(curl, CURLINFO_HTTP_CONNECTCODE, &tunnelStatus);
        answer.proxySignIn = !proxy_.empty() && (answer.status == kProxyAuthenticationRequired ||
                                                 tunnelStatus == kProxyAuthenticationRequired);
        char* location = nullptr;
        curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location);
        if (answer.result == CURLE_ABORTED_BY_CALLBACK || answer.status < 300 || answer.status > 399 || !location ||
            !*location) {
            return answer;
        }
        const std::string next = location;
        const std::string scheme = Download::SplitAddress(next).scheme;
        // A package that started on a trusted connection must not come over
        // a plain one, where anyone on the way could swap it.
        if ((scheme != "http" && scheme != "https") || (secureStart && scheme != "https")) {
            answer.refusal = Refusal::InsecureRedirect;
            answer.result = CURLE_UNSUPPORTED_PROTOCOL;
            return answer;
        }
        if (redirects == kMaxRedirects) {
            answer.refusal = Refusal::TooManyRedirects;
            answer.result = CURLE_TOO_MANY_REDIRECTS;
            return answer;
        }
        referer = std::move(answer.address);
        answer.address = next;
    }
}

std::u16string PackageDownloader::ResolveTargetPath(const std::u16string& folder) {
    ThrowIfStopped();
    RenewHandle();
    if (url_.empty()) Fail(DownloadFailure::NoPackageName, kNoEffectiveUrl);
    SetNameResolutionOptions();
    // The body is refused by design, so the result mostly does not matter:
    // network failures show in the transfer.
    const Answer answer = FollowRedirects();
    handle_.Reset();

    if (answer.result == CURLE_ABORTED_BY_CALLBACK && stop_.load()) throw StopDownloading();
    if (answer.proxySignIn) Fail(DownloadFailure::ProxySignIn, kProxyAuthenticationRequired);
    if (answer.refusal == Refusal::InsecureRedirect) Fail(DownloadFailure::TransferFailed, answer.result);
    if (answer.status >= 401 && answer.status <= 499) {
        Fail(DownloadFailure::ServerRefused, static_cast<std::int32_t>(answer.status));
    }
    if (answer.status >= 500) Fail(DownloadFailure::ServerError, static_cast<std::int32_t>(answer.status));

    targetPath_ = Download::JoinTargetPath(folder, Download::PackageFileName(answer.address));
    return targetPath_;
}

std::u16string PackageDownloader::Download() {
    ThrowIfStopped();
    RenewHandle();
    SetTransferOptions();

    const std::filesystem::path target(targetPath_);
    output_.open(target, std::ios::binary | std::ios::out | std::ios::trunc);
    if (!output_.is_open()) Fail(DownloadFailure::TargetNotOpened, kFileNotOpened);

    pauseWanted_.store(false);
    paused_ = false;
    callbackError_ = nullptr;
    peerRefused_ = false;
    reportsProgress_ = true;
    transferRunning_.store(true);
    Answer answer;
    try {
        answer = FollowRedirects();
    } catch (const StopDownloading&) {
        answer.result = CURLE_ABORTED_BY_CALLBACK;  // stopped between two hops
    }
    transferRunning_.store(false);
    reportsProgress_ = false;

    handle_.Reset();
    output_.close();
    output_.clear();

    if (callbackError_) std::rethrow_exception(std::exchange(callbackError_, nullptr));
    // The refusal ends the transfer through a callback, as a stop request does.
    if (peerRefused_) answer.result = CURLE_PEER_FAILED_VERIFICATION;
    if (answer.result == CURLE_ABORTED_BY_CALLBACK) throw StopDownloading();
    if (answer.refusal != Refusal::None) Fail(DownloadFailure::TransferFailed, answer.result);
    // An answer that is no package leaves no file that could pass for one.
    if (answer.proxySignIn || (answer.status != 0 && !Successful(answer.status))) {
        std::error_code ignored;
        std::filesystem::remove(target, ignored);
        if (answer.proxySignIn) Fail(DownloadFailure::ProxySignIn, kProxyAuthenticationRequired);
        Fail(DownloadFailure::ServerError, static_cast<std::int32_t>(answer.status));
    }
    // A body shorter than announced (CURLE_PARTIAL_FILE) fails like any other
    // broken transfer: handed on as finished, a cut package could pass the
    // caller's check and reach the installer.
    if (answer.result != CURLE_OK) Fail(DownloadFailure::TransferFailed, answer.result);
    return targetPath_;
}

void PackageDownloader::RequestStop() { stop_.store(true); }

void PackageDownloader::Pause(bool suspend) {
    if (transferRunning_.load()) pauseWanted_.store(suspend);
}

bool PackageDownloader::PackageAnswer() const {
    long status = 0;
    curl_easy_getinfo(handle_.Get(), CURLINFO_RESPONSE_CODE, &status);
    return Successful(status);
}

std::size_t PackageDownloader::WriteToFile(char* data, std::size_t size, std::size_t count, void* self) {
    const std::size_t bytes = size * count;
    // The body of a redirect or of an error page is read and dropped.
    if (!Self(self)->PackageAnswer()) return bytes;
    // A failed write is not reported here: the caller checks the package.
    Self(self)->output_.write(data, static_cast<std::streamsize>(bytes));
    return bytes;
}

std::size_t PackageDownloader::RefuseBody(char*, std::size_t, std::size_t, void*) { return 0; }

int PackageDownloader::OnProgress(void* self, double expected, double received, double, double) {
    return Self(self)->Progress(expected, received);
}

int PackageDownloader::OnPrerequest(void* self, char* primaryIp, char* localIp, int primaryPort, int localPort) {
    if (Download::RequireTrustedPeer(Self(self)->handle_.Get(), primaryIp, localIp, primaryPort, localPort) ==
        CURL_PREREQFUNC_OK) {
        return CURL_PREREQFUNC_OK;
    }
    Self(self)->peerRefused_ = true;
    return CURL_PREREQFUNC_ABORT;
}

int PackageDownloader::Progress(double expected, double received) {
    // Only the package's own answer counts; redirects and the name request
    // would make the bar jump.
    if (reportsProgress_ && PackageAnswer()) {
        std::uint32_t percent = 0;
        if (expected > 0) {
            const double share = received / expected * 100.0;
            // Truncation toward zero to 64 bits; the low 32 bits are the percent.
            if (share < 9.0e18) percent = static_cast<std::uint32_t>(static_cast<std::int64_t>(share));
        }
        try {
            progress_(percent, received, expected);
        } catch (...) {
            // Handed on as data: Download raises it again once libcurl has returned.
            callbackError_ = std::current_exception();
            return 1;
        }
    }
    ApplyPauseRequest();
    return stop_.load() ? 1 : 0;
}

void PackageDownloader::ApplyPauseRequest() {
    const bool wanted = pauseWanted_.load();
    if (wanted == paused_) return;
    if (curl_easy_pause(handle_.Get(), wanted ? CURLPAUSE_ALL : CURLPAUSE_CONT) == CURLE_OK) paused_ = wanted;
}
