#include "download/PackageDownloader.h"

#include <algorithm>
#include <chrono>
#include <string_view>

#define CURL_DISABLE_DEPRECATION  // the progress callback with double counts
#include <curl/curl.h>

#include "common/AddressCredentials.h"
#include "common/SystemRandom.h"
#include "common/Utf8Text.h"
#include "download/DownloadLogText.h"
#include "download/PackageFileName.h"
#include "download/RequestOptions.h"
#include "download/RequestUrl.h"
#include "download/ResponseHeaders.h"
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
constexpr std::int32_t kNoRoom = -5;

void* CreateCurlHandle() { return curl_easy_init(); }

PackageDownloader* Self(void* self) { return static_cast<PackageDownloader*>(self); }

bool Successful(long status) { return status >= 200 && status <= 299; }

constexpr long kPartialContent = 206;
constexpr long kRangeNotSatisfiable = 416;

// Failures a new attempt may well get past: the body cut short, a network
// silent past the time-outs, nothing answered, the connection reset.
bool Transient(int result) {
    return result == CURLE_PARTIAL_FILE || result == CURLE_OPERATION_TIMEDOUT || result == CURLE_GOT_NOTHING ||
           result == CURLE_SEND_ERROR || result == CURLE_RECV_ERROR;
}

// The folder part of a target path, with its separator.
std::u16string FolderOf(const std::u16string& path) {
    const std::size_t separator = path.find_last_of(u"/\\");
    return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator + 1);
}

struct SlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistFree>;

// Runs the cleanup however the scope is left.
template <typename Cleanup>
class AtExit {
public:
    explicit AtExit(Cleanup cleanup) : cleanup_(std::move(cleanup)) {}
    ~AtExit() { cleanup_(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    Cleanup cleanup_;
};

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
    Common::LogLine(log_, Download::FailureLine(failure, code));
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
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &PackageDownloader::OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferSize);
}

void PackageDownloader::SetUrl(const std::u16string& url) {
    ThrowIfStopped();
    std::string escaped = Download::EscapeUrlSpaces(Download::RequestUrl(url));
    if (!escaped.empty()) url_ = std::move(escaped);
}

int PackageDownloader::PerformHop(const std::string& address, const std::string& referer) {
    CURL* curl = handle_.Get();
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    // A followed request names the address it came from, as libcurl's own
    // redirect following did.
    curl_easy_setopt(curl, CURLOPT_REFERER, referer.empty() ? nullptr : referer.c_str());
    // Proxy detection runs beside the first attempt instead of before it: a
    // direct connection that works need not wait for it.
    Download::RouteChoice first = resolver_->FirstRoute(address);
    hop_ = {address, std::move(first.route), first.provisional, false, hop_.purpose};
    LogRoute(hop_.provisional ? "while proxy detection runs" : "");
    const int result = PerformOnRoute();
    if (!hop_.provisional || hop_.connected || result == CURLE_OK || stop_.load()) return result;
    // The provisional route did not connect, or detection named another
    // while it was still connecting: the detected route, if it differs.
    const std::optional<Download::ProxyRoute> settled = AwaitSettledRoute();
    if (!settled) return CURLE_ABORTED_BY_CALLBACK;  // stopped meanwhile
    hop_.provisional = false;
    if (*settled == hop_.route) return result;
    hop_.route = *settled;
    LogRoute("detected");
    return PerformOnRoute();
}

int PackageDownloader::PerformOnRoute() {
    proxy_ = hop_.route.proxy;
    Download::SetRoute(handle_.Get(), hop_.route);
    const int result = curl_easy_perform(handle_.Get());
    LogRequest(result);
    return result;
}

void PackageDownloader::LogRoute(const char* when) const {
    if (!log_) return;
    std::string line = "download: route for " + Common::WithoutCredentials(hop_.address) + ": " +
                       Download::RouteText(hop_.route);
    if (*when) line += std::string(" (") + when + ")";
    log_->Line(line);
}

void PackageDownloader::LogRequest(int result) const {
    if (!log_) return;
    CURL* curl = handle_.Get();
    Download::RequestFacts facts;
    facts.purpose = hop_.purpose;
    facts.address = hop_.address;
    facts.route = &hop_.route;
    facts.ranged = reportsProgress_ && resume_.rangeAsked;
    facts.rangeFrom = resume_.askedFrom;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &facts.status);
    curl_off_t bytes = 0;
    curl_easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &bytes);
    facts.bytes = bytes;
    curl_off_t microseconds = 0;
    curl_easy_getinfo(curl, CURLINFO_TOTAL_TIME_T, &microseconds);
    facts.microseconds = microseconds;
    facts.result = result;
    facts.resultText = result != CURLE_OK ? curl_easy_strerror(static_cast<CURLcode>(result)) : "";
    log_->Line(Download::RequestLine(facts));
}

std::optional<Download::ProxyRoute> PackageDownloader::AwaitSettledRoute() {
    // Detection is bounded by the resolver's lookup; a stop is heard within
    // a slice.
    constexpr auto kSlice = std::chrono::milliseconds(100);
    while (!stop_.load()) {
        if (auto settled = resolver_->SettledRoute(hop_.address, kSlice)) return settled;
    }
    return std::nullopt;
}

bool PackageDownloader::DetectionNamesAnotherRoute() {
    if (!hop_.provisional || hop_.connected) return false;
    try {
        const std::optional<Download::ProxyRoute> settled =
            resolver_->SettledRoute(hop_.address, std::chrono::milliseconds(0));
        if (!settled) return false;
        if (*settled == hop_.route) hop_.provisional = false;  // detection agrees: nothing to wait for
        return hop_.provisional;
    } catch (...) {
        return false;  // out of memory: the provisional route goes on
    }
}

PackageDownloader::Answer PackageDownloader::FollowRedirects() {
    CURL* curl = handle_.Get();
    const bool secureStart = Download::SplitAddress(url_).scheme == "https";
    // Redirects are followed here one hop at a time; libcurl's own list of
    // redirect protocols says the same should it ever follow one itself.
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secureStart ? "https" : "http,https");
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
        Common::LogLine(log_, "download: redirect from " + Common::WithoutCredentials(answer.address) + " to " +
                                  Common::WithoutCredentials(next));
        if ((scheme != "http" && scheme != "https") || (secureStart && scheme != "https")) {
            Common::LogLine(log_, "download: redirect refused: it leaves a secure connection or HTTP");
            answer.refusal = Refusal::InsecureRedirect;
            answer.result = CURLE_UNSUPPORTED_PROTOCOL;
            return answer;
        }
        if (redirects == kMaxRedirects) {
            Common::LogLine(log_, "download: redirect refused: too many redirects");
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
    hop_.purpose = "name request";
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
    Common::LogLine(log_, "download: target " + Common::ToUtf8(targetPath_));
    return targetPath_;
}

std::u16string PackageDownloader::Download() {
    ThrowIfStopped();
    RenewHandle();
    SetTransferOptions();
    OpenTarget();
    hop_.purpose = "transfer";
    if (resume_.onDisk > 0) {
        Common::LogLine(log_, "download: continuing the " + std::to_string(resume_.onDisk) + " bytes on disk");
    }

    pauseWanted_.store(false);
    paused_ = false;
    callbackError_ = nullptr;
    fileFailure_.reset();
    reportsProgress_ = true;
    transferRunning_.store(true);
    const AtExit cleanup([this] {
        transferRunning_.store(false);
        reportsProgress_ = false;
        handle_.Reset();
        file_.Close();
    });
    const int attempts = std::max(1, timeouts_.transferAttempts);
    for (int attempt = 1;; ++attempt) {
        const Answer answer = TransferAttempt();
        if (answer.status == kRangeNotSatisfiable && resume_.rangeAsked && attempt < attempts) {
            if (!StartOver()) FailOnFile();  // the bytes on disk are no start of this package
            continue;
        }
        FailOnRefusal(answer);
        if (resume_.startOver && !StartOver()) FailOnFile();
        if (answer.result == CURLE_OK && !resume_.startOver) {
            // A whole answer without a body keeps nothing of an earlier attempt.
            if (!resume_.bodyStarted && answer.status != kPartialContent && !StartOver()) FailOnFile();
            Common::LogLine(log_, "download: finished, " + std::to_string(resume_.onDisk) + " bytes in " +
                                      Common::ToUtf8(targetPath_));
            return targetPath_;
        }
        const bool again = resume_.startOver || Transient(answer.result);
        if (!again || attempt >= attempts) {
            // A body shorter than announced (CURLE_PARTIAL_FILE) fails like
            // any other broken transfer: handed on as finished, a cut package
            // could pass the caller's check and reach the installer.
            // A part that would not continue the file ends as a range error.
            // The bytes of a transfer that kept breaking stay for a retry of
            // the same target, which continues them under If-Range.
            if (again && !resume_.startOver && resume_.onDisk > 0) keptTarget_ = targetPath_;
            Fail(DownloadFailure::TransferFailed, resume_.startOver ? CURLE_RANGE_ERROR : answer.result);
        }
        if (!WaitToReconnect(attempt, attempts)) throw StopDownloading();
    }
}

PackageDownloader::Answer PackageDownloader::TransferAttempt() {
    CURL* curl = handle_.Get();
    // Without a validator the bytes on disk could not be told from another
    // package's: only a checked range continues them.
    if (resume_.onDisk > 0 && resume_.validator.empty() && !StartOver()) FailOnFile();
    resume_.rangeAsked = resume_.onDisk > 0;
    resume_.askedFrom = resume_.onDisk;
    const std::string range = std::to_string(resume_.onDisk) + "-";
    HeaderList headers;
    if (resume_.rangeAsked) headers.reset(curl_slist_append(nullptr, ("If-Range: " + resume_.validator).c_str()));
    curl_easy_setopt(curl, CURLOPT_RANGE, resume_.rangeAsked ? range.c_str() : nullptr);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    resume_.bodyStarted = false;
    resume_.startOver = false;
    peerRefused_ = false;

    Answer answer;
    try {
        answer = FollowRedirects();
    } catch (const StopDownloading&) {
        answer.result = CURLE_ABORTED_BY_CALLBACK;  // stopped between two hops
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    if (callbackError_) std::rethrow_exception(std::exchange(callbackError_, nullptr));
    if (fileFailure_) {
        // What was written stays for a retry once the user has made room.
        keptTarget_ = targetPath_;
        const UDownloadException failure = *std::exchange(fileFailure_, std::nullopt);
        Fail(failure.Failure(), failure.Code());
    }
    // The refusal ends the transfer through a callback, as a stop request does.
    if (peerRefused_) answer.result = CURLE_PEER_FAILED_VERIFICATION;
    return answer;
}

void PackageDownloader::FailOnRefusal(const Answer& answer) {
    if (answer.result == CURLE_ABORTED_BY_CALLBACK) throw StopDownloading();
    if (answer.refusal != Refusal::None) Fail(DownloadFailure::TransferFailed, answer.result);
    // An answer that is no package leaves no file that could pass for one.
    if (answer.proxySignIn || (answer.status != 0 && !Successful(answer.status))) {
        file_.Close();
        Download::RemovePackageFile(targetPath_);
        if (answer.proxySignIn) Fail(DownloadFailure::ProxySignIn, kProxyAuthenticationRequired);
        Fail(DownloadFailure::ServerError, static_cast<std::int32_t>(answer.status));
    }
}

void PackageDownloader::OpenTarget() {
    const bool continuing = !keptTarget_.empty() && keptTarget_ == targetPath_;
    keptTarget_.clear();
    if (!continuing) resume_ = {};
    if (!file_.Open(targetPath_, continuing ? Download::PackageFile::Mode::Append
                                            : Download::PackageFile::Mode::Truncate)) {
        FailOnFile();
    }
    // Bytes changed since the failed write are no longer known to be the package's.
    if (continuing && file_.Size() != resume_.onDisk && !StartOver()) FailOnFile();
}

bool PackageDownloader::StartOver() {
    resume_.onDisk = 0;
    resume_.answerOffset = 0;
    resume_.validator.clear();
    return file_.Open(targetPath_, Download::PackageFile::Mode::Truncate);
}

void PackageDownloader::FailOnFile() {
    const UDownloadException failure = FileFailure(true);
    Fail(failure.Failure(), failure.Code());
}

UDownloadException PackageDownloader::FileFailure(bool opening) const {
    using Fault = Download::PackageFile::Fault;
    // A full volume or a file another program holds is something the user can
    // mend; any other target that cannot even be opened is a wrong folder.
    if (opening && file_.LastFault() == Fault::Other) {
        return UDownloadException(DownloadFailure::TargetNotOpened, kFileNotOpened);
    }
    return UDownloadException(DownloadFailure::DiskWrite, file_.LastSystemError());
}

bool PackageDownloader::RoomForBody() {
    // A part's announced length is what it adds to the bytes on disk; a
    // whole answer's bytes replace them.
    curl_off_t length = -1;
    if (!freeSpace_ || curl_easy_getinfo(handle_.Get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK ||
        length < 0) {
        return true;
    }
    std::optional<std::uint64_t> freeBytes;
    try {
        freeBytes = freeSpace_(FolderOf(targetPath_));
    } catch (...) {
        return true;  // unknown: the writes themselves will tell
    }
    const bool room = !freeBytes || static_cast<std::uint64_t>(length) <= *freeBytes;
    if (log_) {
        log_->Line("download: free space: " + std::to_string(length) + " bytes announced, " +
                   (freeBytes ? std::to_string(*freeBytes) + " free" : std::string("free space unknown")) +
                   (room ? "" : ": not enough"));
    }
    return room;
}

bool PackageDownloader::WaitToReconnect(int attempt, int attempts) {
    if (reconnecting_) reconnecting_();
    const long base = timeouts_.firstReconnectDelayMilliseconds << std::min(attempt - 1, 16);
    unsigned draw = 0;  // without the system's randomness: no jitter
    Common::FillSystemRandom(&draw, sizeof draw);
    const long delay = base + static_cast<long>(static_cast<double>(draw % 1024) / 4096.0 * base);  // up to +25 %
    Common::LogLine(log_, "download: attempt " + std::to_string(attempt + 1) + " of " + std::to_string(attempts) +
                              " in " + std::to_string(delay) + " ms, from byte " + std::to_string(resume_.onDisk));
    std::unique_lock<std::mutex> lock(stopLock_);
    return !stopped_.wait_for(lock, std::chrono::milliseconds(delay), [this] { return stop_.load(); });
}

bool PackageDownloader::BeginBody() {
    long status = 0;
    curl_easy_getinfo(handle_.Get(), CURLINFO_RESPONSE_CODE, &status);
    if (status == kPartialContent) {
        // Only the rest of the bytes on disk continues them.
        if (!resume_.rangeAsked || resume_.rangeStart < 0 ||
            static_cast<std::uint64_t>(resume_.rangeStart) != resume_.onDisk) {
            resume_.startOver = true;
            return false;
        }
        resume_.answerOffset = resume_.onDisk;
    } else {
        // The whole package, afresh when it has changed or ranges are not served.
        if (resume_.onDisk > 0 && !StartOver()) {
            fileFailure_ = FileFailure(true);
            return false;
        }
        resume_.validator = Download::IfRangeValidator(resume_.etag, resume_.lastModified);
    }
    if (!RoomForBody()) {
        fileFailure_ = UDownloadException(DownloadFailure::DiskWrite, kNoRoom);
        return false;
    }
    return true;
}

void PackageDownloader::RequestStop() {
    if (!stop_.load()) Common::LogLine(log_, "download: stop requested");
    {
        std::lock_guard<std::mutex> lock(stopLock_);
        stop_.store(true);
    }
    stopped_.notify_all();
}

void PackageDownloader::Pause(bool suspend) {
    if (transferRunning_.load()) pauseWanted_.store(suspend);
}

bool PackageDownloader::PackageAnswer() const {
    long status = 0;
    curl_easy_getinfo(handle_.Get(), CURLINFO_RESPONSE_CODE, &status);
    return Successful(status);
}

std::size_t PackageDownloader::WriteToFile(char* data, std::size_t size, std::size_t count, void* self) {
    PackageDownloader& engine = *Self(self);
    const std::size_t bytes = size * count;
    // The body of a redirect or of an error page is read and dropped.
    if (!engine.PackageAnswer()) return bytes;
    if (!engine.resume_.bodyStarted) {
        engine.resume_.bodyStarted = true;
        if (!engine.BeginBody()) return 0;
    }
    const std::size_t written = engine.file_.Write(data, bytes);
    engine.resume_.onDisk += written;
    // A short count ends the transfer at once (CURLE_WRITE_ERROR).
    if (written < bytes) engine.fileFailure_ = engine.FileFailure(false);
    return written;
}

std::size_t PackageDownloader::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
    ResumeState& resume = Self(self)->resume_;
    const std::size_t bytes = size * count;
    const std::string_view line(data, bytes);
    try {
        if (line.compare(0, 5, "HTTP/") == 0) {  // a new answer: a redirect's, or the package's
            resume.etag.clear();
            resume.lastModified.clear();
            resume.rangeStart = -1;
        } else if (auto etag = Download::HeaderValue(line, "etag")) {
            resume.etag = std::move(*etag);
        } else if (auto modified = Download::HeaderValue(line, "last-modified")) {
            resume.lastModified = std::move(*modified);
        } else if (auto range = Download::HeaderValue(line, "content-range")) {
            resume.rangeStart = Download::ContentRangeStart(*range);
        }
    } catch (...) {
        return 0;  // out of memory: the attempt ends as a failed transfer
    }
    return bytes;
}

std::size_t PackageDownloader::RefuseBody(char*, std::size_t, std::size_t, void*) { return 0; }

int PackageDownloader::OnProgress(void* self, double expected, double received, double, double) {
    return Self(self)->Progress(expected, received);
}

int PackageDownloader::OnPrerequest(void* self, char* primaryIp, char* localIp, int primaryPort, int localPort) {
    Self(self)->hop_.connected = true;
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
    if (reportsProgress_ && resume_.bodyStarted && PackageAnswer()) {
        // The whole package counts, across the attempts.
        const double offset = static_cast<double>(resume_.answerOffset);
        received += offset;
        if (expected > 0) expected += offset;
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
    // A provisional route still connecting gives way to a detected proxy at
    // once, instead of after the connect time-out of a blocked direct path.
    if (DetectionNamesAnotherRoute()) return 1;
    return stop_.load() ? 1 : 0;
}

void PackageDownloader::ApplyPauseRequest() {
    const bool wanted = pauseWanted_.load();
    if (wanted == paused_) return;
    if (curl_easy_pause(handle_.Get(), wanted ? CURLPAUSE_ALL : CURLPAUSE_CONT) == CURLE_OK) paused_ = wanted;
}
