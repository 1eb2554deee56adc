// The download engine: fetches the product package over HTTP into the
// download folder with libcurl, reporting progress, and can be stopped or
// paused from another thread.
//
// One worker thread calls SetUrl, ResolveTargetPath and Download in that
// order; the progress callback runs on that thread inside Download.
// RequestStop and Pause may come from any other thread at any time.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <fstream>
#include <functional>
#include <string>

#include "download/CurlEasy.h"
#include "download/DownloadErrors.h"
#include "download/DownloadTimeouts.h"

// Percent of the current response received (0 while the size is unknown),
// bytes received so far, bytes expected in all (0 while unknown).
using DownloadProgressCallback = std::function<void(std::uint32_t percent, double received, double expected)>;

class PackageDownloader {
public:
    // Where fresh transfer handles come from: curl_easy_init, unless a test
    // needs a source that fails.
    using HandleSource = void* (*)();

    // Tests shorten the time-outs; the product keeps the defaults.
    explicit PackageDownloader(DownloadProgressCallback progress, const DownloadTimeouts& timeouts = {});
    PackageDownloader(DownloadProgressCallback progress, HandleSource handleSource,
                      const DownloadTimeouts& timeouts = {});
    ~PackageDownloader();

    PackageDownloader(const PackageDownloader&) = delete;
    PackageDownloader& operator=(const PackageDownloader&) = delete;

    // Takes the URL with its spaces escaped (an empty result keeps the old
    // one), then probes the connection; when the server cannot be reached
    // directly and the system has a proxy, the proxy is kept for every later
    // request. Raises the platform's COM error when escaping fails.
    void SetUrl(const std::string& url);

    // Asks the server for the package without keeping its body, and names
    // the target file after the URL reached. Returns the full target path,
    // or an empty string (target unchanged) when no name could be found.
    // Raises UDownloadException.
    std::u16string ResolveTargetPath(const std::u16string& folder);

    // Streams the package to the target path and returns that path. A body
    // shorter than the size the server announced is a failed transfer (with
    // libcurl's code 18), as is a network that stays silent past the
    // time-outs (code 28); the file keeps what arrived. A server whose
    // certificate is not trusted for its name fails as code 60 before any
    // request reaches it. Raises
    // UDownloadException, or StopDownloading after RequestStop.
    std::u16string Download();

    // Ends the running transfer at libcurl's next progress call. A request
    // made before Download starts is forgotten when it starts.
    void RequestStop();

    // Suspends (true) or resumes (false) the running transfer; the transfer
    // thread applies it at its next progress call. Nothing without a transfer.
    void Pause(bool suspend);

    // The code of the last failure: -2 no transfer handle, -3 target file not
    // opened, -4 no URL reached, 401 to 499 the server's refusal, otherwise a
    // libcurl result. Success does not reset it.
    std::int32_t LastError() const { return lastError_; }

    const std::string& Url() const { return url_; }
    const std::string& Proxy() const { return proxy_; }
    const std::u16string& TargetPath() const { return targetPath_; }

private:
    void RenewHandle();
    void SetCommonOptions();
    void SetTimeoutOptions();
    void SetNameResolutionOptions();
    void SetTransferOptions();
    void ProbeConnection();
    [[noreturn]] void Fail(DownloadFailure failure, std::int32_t code);

    // libcurl callbacks; they must never let an exception through.
    static std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t RefuseBody(char* data, std::size_t size, std::size_t count, void* self);
    static int OnProgress(void* self, double expected, double received, double, double);
    static int OnPrerequest(void* self, char*, char*, int, int);
    int Progress(double expected, double received);
    void ApplyPauseRequest();

    DownloadProgressCallback progress_;
    Download::CurlEasy handle_;
    std::string url_;
    std::ofstream output_;
    std::atomic<std::int32_t> stop_{0};
    std::u16string targetPath_;
    std::int32_t lastError_ = 0;
    std::string proxy_;

    HandleSource handleSource_;
    DownloadTimeouts timeouts_;
    // The pause request travels from the requesting thread to the transfer
    // thread, which alone touches the handle.
    std::atomic<bool> transferRunning_{false};
    std::atomic<bool> pauseWanted_{false};
    bool paused_ = false;  // transfer thread only
    std::exception_ptr callbackError_;  // transfer thread only
    bool peerRefused_ = false;          // transfer thread only
};
