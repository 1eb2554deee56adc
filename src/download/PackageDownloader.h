// The download engine: fetches the product package over HTTP into the
// download folder with libcurl, reporting progress, and can be stopped or
// paused from another thread.
//
// One worker thread calls SetUrl, ResolveTargetPath and Download in that
// order; the progress callback runs on that thread inside Download.
// RequestStop and Pause may come from any other thread at any time.
//
// Every address a request goes to, the first and each redirect's, takes the
// route the user's proxy settings give for it: redirects are followed one hop
// at a time here, not by libcurl, since a bypass list or a PAC script may send
// the download page and the file server different ways. With automatic proxy
// detection alone, a hop does not wait for it: it goes the way the manual
// settings say (mostly directly) while detection runs, and takes a detected
// proxy when that way does not connect.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/FreeSpace.h"
#include "common/InstallationLog.h"
#include "download/CurlEasy.h"
#include "download/DownloadErrors.h"
#include "download/DownloadTimeouts.h"
#include "download/PackageFile.h"
#include "download/ProxyResolver.h"

// Percent of the current response received (0 while the size is unknown),
// bytes received so far, bytes expected in all (0 while unknown).
using DownloadProgressCallback = std::function<void(std::uint32_t percent, double received, double expected)>;

class PackageDownloader {
public:
    // Where fresh transfer handles come from: curl_easy_init, unless a test
    // needs a source that fails.
    using HandleSource = void* (*)();

    // Routes by the current user's proxy settings. Tests shorten the
    // time-outs; the product keeps the defaults.
    explicit PackageDownloader(DownloadProgressCallback progress, const DownloadTimeouts& timeouts = {});
    // Routes by the given rules.
    PackageDownloader(DownloadProgressCallback progress, std::unique_ptr<Download::ProxyResolver> resolver,
                      const DownloadTimeouts& timeouts = {});
    PackageDownloader(DownloadProgressCallback progress, HandleSource handleSource,
                      const DownloadTimeouts& timeouts = {});
    ~PackageDownloader();

    PackageDownloader(const PackageDownloader&) = delete;
    PackageDownloader& operator=(const PackageDownloader&) = delete;

    // Takes the address as libcurl gets it (RequestUrl: UTF-8, non-ASCII and
    // spaces percent-encoded); an empty result keeps the old one. Raises the
    // platform's COM error when the address is too long, StopDownloading
    // after RequestStop.
    void SetUrl(const std::u16string& url);

    // Asks the server for the package without keeping its body, and names
    // the target file after the address reached (PackageFileName). Returns
    // the full target path. Raises UDownloadException: ServerRefused for a
    // status 401 to 499, ServerError for 500 and above, ProxySignIn, and
    // TransferFailed for a redirect the engine does not follow; other
    // network failures show only in Download. Raises StopDownloading after
    // RequestStop.
    std::u16string ResolveTargetPath(const std::u16string& folder);

    // Streams the package to the target path and returns that path. A
    // transfer broken by a passing fault (libcurl's 18: a body shorter than
    // announced, 28: a network silent past the time-outs, 52, 55, 56) is
    // taken up again after a wait, with a range request from the bytes on
    // disk under If-Range, up to the attempts of the time-outs; a server
    // whose package changed meanwhile sends it whole. When the attempts are
    // spent, the last code is a failed transfer and the file keeps what
    // arrived. A server whose
    // certificate is not trusted for its name fails as code 60 before any
    // request reaches it. An error status of the server (ServerError) or of
    // a proxy that wants sign-in (ProxySignIn) leaves no file.
    //
    // A write the file refuses (a full volume, a file or range another
    // program holds, a device error) ends the transfer at once as DiskWrite,
    // never taken up again by itself; so does an announced length beyond the
    // free space of the target's volume, before the first byte is written.
    // The file keeps what was written: the next Download of the same target
    // continues it under If-Range, so a retry after the user has made room
    // does not start from nothing. Raises UDownloadException, or
    // StopDownloading after RequestStop.
    std::u16string Download();

    // Ends the running request within a second (and a wait before
    // reconnecting at once) and makes every later step raise
    // StopDownloading: a stop the user confirmed is final.
    void RequestStop();

    // Where the free space of the target's folder comes from; the system's
    // answer unless a test stands in for it. An empty probe checks nothing.
    void SetFreeSpaceProbe(Common::FreeSpaceProbe probe) { freeSpace_ = std::move(probe); }

    // Where the engine writes its requests (status, bytes, time), redirects,
    // routes, attempts and waits, free-space checks and failures; none when
    // null. Set before the first request; the log must outlive the engine.
    void SetLog(Common::InstallationLog* log) { log_ = log; }

    // Called on the transfer thread when a broken transfer is about to be
    // taken up again, before the wait.
    void OnReconnecting(std::function<void()> reconnecting) { reconnecting_ = std::move(reconnecting); }

    // Suspends (true) or resumes (false) the running transfer; the transfer
    // thread applies it at its next progress call. Nothing without a transfer.
    void Pause(bool suspend);

    // The code of the last failure: -2 no transfer handle, -3 target file not
    // opened, -4 no URL reached, -5 an announced length beyond the free
    // space, the system's error (GetLastError, errno) for a refused write, an
    // HTTP status for the server's refusal or error and the proxy's demand to
    // sign in, otherwise a libcurl result.
    // Success does not reset it.
    std::int32_t LastError() const { return lastError_; }

    const std::string& Url() const { return url_; }
    // The proxy of the last request, as libcurl took it; empty: direct.
    const std::string& Proxy() const { return proxy_; }
    const std::u16string& TargetPath() const { return targetPath_; }

private:
    // A redirect the engine does not follow.
    enum class Refusal { None, TooManyRedirects, InsecureRedirect };

    // How the last hop of a request ended.
    struct Answer {
        int result = 0;     // libcurl's, or the engine's for a refused redirect
        long status = 0;    // the HTTP status; 0 without an answer
        bool proxySignIn = false;
        Refusal refusal = Refusal::None;
        std::string address;  // the address that gave the answer
    };

    // Where the package stands across the attempts of one Download, and
    // what the answer being received says about its body.
    struct ResumeState {
        std::uint64_t onDisk = 0;        // package bytes in the file
        std::uint64_t answerOffset = 0;  // where the current answer's body starts
        std::string validator;           // ETag, else Last-Modified, of the bytes on disk
        bool rangeAsked = false;
        std::uint64_t askedFrom = 0;     // the first byte the range asked for
        std::string etag;                // of the current answer
        std::string lastModified;
        std::int64_t rangeStart = -1;    // its Content-Range's first byte; -1: none
        bool bodyStarted = false;
        bool startOver = false;          // its part does not continue the bytes on disk
    };

    void RenewHandle();
    void SetCommonOptions();
    void SetNameResolutionOptions();
    void SetTransferOptions();
    // The request to one address and the route it takes.
    struct Hop {
        std::string address;
        Download::ProxyRoute route;
        bool provisional = false;  // taken before proxy detection answered
        bool connected = false;    // the request went out on this route
        const char* purpose = "";  // for the log
    };

    // Requests url_ and follows the redirects, each hop on its own route.
    Answer FollowRedirects();
    int PerformHop(const std::string& address, const std::string& referer);
    int PerformOnRoute();
    void LogRoute(const char* when) const;
    void LogRequest(int result) const;
    // The route once proxy detection has answered; nothing after a stop.
    std::optional<Download::ProxyRoute> AwaitSettledRoute();
    // Whether detection has named a route other than the provisional one
    // still connecting.
    bool DetectionNamesAnotherRoute();
    void ThrowIfStopped() const;
    // One attempt of the transfer: the whole package, or its rest.
    Answer TransferAttempt();
    // Empties the target; false when it could not be opened afresh.
    bool StartOver();
    // Opens the target for a Download: continues the bytes a failed write
    // left when they are still there, else empties it.
    void OpenTarget();
    // The failure of a refused open or write of the target.
    UDownloadException FileFailure(bool opening) const;
    [[noreturn]] void FailOnFile();  // an open refused
    // The announced length of the current answer's body fits the free space
    // of the target's volume, or is not known.
    bool RoomForBody();
    // Fails with the failure the answer of a finished attempt names, if any.
    void FailOnRefusal(const Answer& answer);
    // Waits before the given attempt; false when a stop ended the wait.
    bool WaitToReconnect(int attempt, int attempts);
    bool BeginBody();
    [[noreturn]] void Fail(DownloadFailure failure, std::int32_t code);
    // The current answer's body is the package (status 2xx).
    bool PackageAnswer() const;

    // libcurl callbacks; they must never let an exception through.
    static std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t RefuseBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int OnProgress(void* self, double expected, double received, double, double);
    static int OnPrerequest(void* self, char*, char*, int, int);
    int Progress(double expected, double received);
    void ApplyPauseRequest();

    DownloadProgressCallback progress_;
    Common::InstallationLog* log_ = nullptr;
    std::unique_ptr<Download::ProxyResolver> resolver_;
    HandleSource handleSource_;
    DownloadTimeouts timeouts_;
    Download::CurlEasy handle_;
    std::string url_;
    Download::PackageFile file_;
    Common::FreeSpaceProbe freeSpace_ = Common::SystemFreeBytes;
    std::atomic<bool> stop_{false};
    std::mutex stopLock_;                 // with stopped_: wakes a wait before reconnecting
    std::condition_variable stopped_;
    std::function<void()> reconnecting_;
    std::u16string targetPath_;
    std::int32_t lastError_ = 0;
    std::string proxy_;

    // The pause request travels from the requesting thread to the transfer
    // thread, which alone touches the handle.
    std::atomic<bool> transferRunning_{false};
    std::atomic<bool> pauseWanted_{false};
    bool paused_ = false;               // transfer thread only
    bool reportsProgress_ = false;      // transfer thread only: the package transfer runs
    std::exception_ptr callbackError_;  // transfer thread only
    bool peerRefused_ = false;          // transfer thread only
    // transfer thread only: why the write callback refused the body, when
    // the file refused it or it would not fit
    std::optional<UDownloadException> fileFailure_;
    ResumeState resume_;                // transfer thread only
    // The target whose bytes a failed write or a transfer that kept breaking
    // left to be continued by the next download of it; empty: none.
    std::u16string keptTarget_;
    Hop hop_;                           // transfer thread only
};
