#include "download/PackageDownloader.h"

#include <filesystem>

#define CURL_DISABLE_DEPRECATION  // the progress callback with double counts
#include <curl/curl.h>

#include "download/PeerCertificate.h"
#include "download/SystemProxy.h"
#include "download/TargetPath.h"
#include "download/UrlEscape.h"

namespace {

// libcurl follows redirects without limit unless told otherwise; a server
// redirecting in a circle must end as a failed transfer, not run forever.
constexpr long kMaxRedirects = 30;

// The receive buffer of a package transfer. Under Wine every receive call is
// costly, so few large reads matter; libcurl accepts at most 512 KiB.
constexpr long kReceiveBufferSize = 512 * 1024;

constexpr std::int32_t kNoHandle = -2;
constexpr std::int32_t kFileNotOpened = -3;
constexpr std::int32_t kNoEffectiveUrl = -4;

void* CreateCurlHandle() { return curl_easy_init(); }

PackageDownloader* Self(void* self) { return static_cast<PackageDownloader*>(self); }

}  // namespace

PackageDownloader::PackageDownloader(DownloadProgressCallback progress, const DownloadTimeouts& timeouts)
    : PackageDownloader(std::move(progress), &CreateCurlHandle, timeouts) {}

PackageDownloader::PackageDownloader(DownloadProgressCallback progress, HandleSource handleSource,
                                     const DownloadTimeouts& timeouts)
    : progress_(std::move(progress)), handle_(handleSource()), handleSource_(handleSource), timeouts_(timeouts) {}

PackageDownloader::~PackageDownloader() = default;

void PackageDownloader::Fail(DownloadFailure failure, std::int32_t code) {
    lastError_ = code;
    throw UDownloadException(failure, code);
}

void PackageDownloader::RenewHandle() {
    handle_.Reset();
    handle_.Reset(handleSource_());
    if (!handle_) Fail(DownloadFailure::NoTransferHandle, kNoHandle);
}

void PackageDownloader::SetCommonOptions() {
    curl_easy_setopt(handle_.Get(), CURLOPT_URL, url_.c_str());
    if (!proxy_.empty()) curl_easy_setopt(handle_.Get(), CURLOPT_PROXY, proxy_.c_str());
    curl_easy_setopt(handle_.Get(), CURLOPT_PREREQFUNCTION, &PackageDownloader::OnPrerequest);
    curl_easy_setopt(handle_.Get(), CURLOPT_PREREQDATA, this);
}

// Without them a silent server or an address that swallows packets would hold
// the worker thread for good: the name resolution has no progress function
// through which a stop request could end it.
void PackageDownloader::SetTimeoutOptions() {
    CURL* curl = handle_.Get();
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connectMilliseconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, timeouts_.lowSpeedBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts_.lowSpeedSeconds);
}

void PackageDownloader::SetNameResolutionOptions() {
    CURL* curl = handle_.Get();
    SetCommonOptions();
    SetTimeoutOptions();
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_AUTOREFERER, 1L);
    // Only the status and the URL reached count: the first body bytes end it.
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &PackageDownloader::RefuseBody);
}

void PackageDownloader::SetTransferOptions() {
    CURL* curl = handle_.Get();
    SetCommonOptions();
    SetTimeoutOptions();
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 0L);
    curl_easy_setopt(curl, CURLOPT_HEADER, 0L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &PackageDownloader::WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_PROGRESSFUNCTION, &PackageDownloader::OnProgress);
    curl_easy_setopt(curl, CURLOPT_PROGRESSDATA, this);
    curl_easy_setopt(curl, CURLOPT_AUTOREFERER, 1L);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferSize);
}

void PackageDownloader::SetUrl(const std::string& url) {
    std::string escaped = Download::EscapeUrlSpaces(url);
    if (!escaped.empty()) url_ = std::move(escaped);
    ProbeConnection();
}

void PackageDownloader::ProbeConnection() {
    RenewHandle();
    SetCommonOptions();
    SetTimeoutOptions();
    curl_easy_setopt(handle_.Get(), CURLOPT_CONNECT_ONLY, 1L);
    if (curl_easy_perform(handle_.Get()) == CURLE_OK) return;

    std::string proxy = Download::SystemProxy();
    if (proxy.empty()) return;
    proxy_ = std::move(proxy);
    SetCommonOptions();
    curl_easy_setopt(handle_.Get(), CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_perform(handle_.Get());  // the outcome does not matter, only the proxy kept
}

std::u16string PackageDownloader::ResolveTargetPath(const std::u16string& folder) {
    RenewHandle();
    SetNameResolutionOptions();
    curl_easy_perform(handle_.Get());  // ends early by design; the outcome is read below

    long status = 0;
    curl_easy_getinfo(handle_.Get(), CURLINFO_RESPONSE_CODE, &status);
    if (status >= 401 && status <= 499) {
        Fail(DownloadFailure::ServerRefused, static_cast<std::int32_t>(status));
    }

    char* reached = nullptr;
    if (curl_easy_getinfo(handle_.Get(), CURLINFO_EFFECTIVE_URL, &reached) != CURLE_OK || !reached || !*reached) {
        Fail(DownloadFailure::NoPackageName, kNoEffectiveUrl);
    }
    const std::u16string effectiveUrl = Download::WidenBytes(reached);
    handle_.Reset();

    const std::u16string name = Download::UrlLeafName(effectiveUrl);
    if (name.empty()) return {};
    targetPath_ = Download::JoinTargetPath(folder, name);
    return targetPath_;
}

std::u16string PackageDownloader::Download() {
    RenewHandle();
    SetTransferOptions();

    output_.open(std::filesystem::path(targetPath_), std::ios::binary | std::ios::out | std::ios::trunc);
    if (!output_.is_open()) Fail(DownloadFailure::TargetNotOpened, kFileNotOpened);

    stop_.exchange(0);
    pauseWanted_.store(false);
    paused_ = false;
    callbackError_ = nullptr;
    peerRefused_ = false;
    transferRunning_.store(true);
    CURLcode result = curl_easy_perform(handle_.Get());
    transferRunning_.store(false);

    handle_.Reset();
    output_.close();
    output_.clear();

    if (callbackError_) std::rethrow_exception(std::exchange(callbackError_, nullptr));
    // The refusal ends the transfer through a callback, as a stop request does.
    if (peerRefused_) result = CURLE_PEER_FAILED_VERIFICATION;
    if (result == CURLE_ABORTED_BY_CALLBACK) throw StopDownloading();
    // A body shorter than announced (CURLE_PARTIAL_FILE) fails like any other
    // broken transfer: handed on as finished, a cut package could pass the
    // caller's check and reach the installer.
    if (result != CURLE_OK) Fail(DownloadFailure::TransferFailed, static_cast<std::int32_t>(result));
    return targetPath_;
}

void PackageDownloader::RequestStop() { stop_.exchange(1); }

void PackageDownloader::Pause(bool suspend) {
    if (transferRunning_.load()) pauseWanted_.store(suspend);
}

std::size_t PackageDownloader::WriteToFile(char* data, std::size_t size, std::size_t count, void* self) {
    const std::size_t bytes = size * count;
    // A failed write is not reported here: the caller checks the package.
    Self(self)->output_.write(data, static_cast<std::streamsize>(bytes));
    return bytes;
}

std::size_t PackageDownloader::RefuseBody(char*, std::size_t, std::size_t, void*) { return 0; }

int PackageDownloader::OnProgress(void* self, double expected, double received, double, double) {
    return Self(self)->Progress(expected, received);
}

int PackageDownloader::OnPrerequest(void* self, char*, char*, int, int) {
    if (Download::PeerCertificateTrusted(Self(self)->handle_.Get())) return CURL_PREREQFUNC_OK;
    Self(self)->peerRefused_ = true;
    return CURL_PREREQFUNC_ABORT;
}

int PackageDownloader::Progress(double expected, double received) {
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
    ApplyPauseRequest();
    return stop_.load() != 0 ? 1 : 0;
}

void PackageDownloader::ApplyPauseRequest() {
    const bool wanted = pauseWanted_.load();
    if (wanted == paused_) return;
    if (curl_easy_pause(handle_.Get(), wanted ? CURLPAUSE_ALL : CURLPAUSE_CONT) == CURLE_OK) paused_ = wanted;
}
