// The SOAP client over WinInet and the MSXML SAX reader (Windows only): it
// posts a request envelope to the service URL and parses the answer. The
// root Internet handle and the connection open on the first call and stay
// for later ones; a request handle stays open until the next call or the
// end of the client. No proxy of its own: the system's WinInet settings
// apply. Connecting, sending and each wait for the answer are bounded by the
// client's time-out. See SoapCall.h for how proxies use it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "services/InternetHandle_win.h"
#include "services/MsxmlSaxReader_win.h"
#include "services/SoapClientState.h"
#include "services/SoapTimeout.h"
#include "services/UrlParts.h"

namespace Soap {

class CSoapWininetClient : public SoapClientState {
public:
    // The user agent of every request.
    static constexpr wchar_t kAgent[] = L"VCSoapClient";
    // A longer answer body is no answer; every expected one is a few hundred bytes.
    static constexpr std::size_t kMaxResponseBytes = 1 << 20;

    // No network activity until the first call. A URL that cannot be split
    // makes every call fail with ClientError::ConnectError.
    explicit CSoapWininetClient(const std::u16string& url);
    CSoapWininetClient(const CSoapWininetClient&) = delete;
    CSoapWininetClient& operator=(const CSoapWininetClient&) = delete;

    // The HttpOpenRequestW flags for a URL: no UI, keep the connection, and
    // secure for https.
    static DWORD RequestFlags(const UrlParts& url);

    // The connect, send and receive time-out of later exchanges; 0 leaves
    // the system's defaults, which under some WinInet versions wait forever.
    void SetTimeout(DWORD milliseconds);
    DWORD Timeout() const { return timeout_; }

    // The steps of a call, in the order SoapCall.h runs them. The SAX reader
    // lives for one call only: callers bracket each call with their own COM
    // initialisation, possibly on another thread each time.
    bool EnsureReader();
    void CleanupClient();
    std::string& RequestBuffer() { return requestBuffer_; }
    Status SendRequest(const std::u16string& soapActionLine);
    bool ParseResponse(ISaxEventSink& sink);
    void EndCall();

private:
    bool Connect();
    void ApplyTimeout(HINTERNET handle) const;
    int QueryStatusCode() const;
    // The body of the current request, whole; false on a read failure or
    // when it is longer than kMaxResponseBytes.
    bool ReadBody(std::string& body) const;

    std::optional<UrlParts> url_;
    DWORD timeout_ = kExchangeTimeoutMilliseconds;
    // Destroyed in reverse: request, then connection, then root.
    InternetHandle root_;
    InternetHandle connection_;
    InternetHandle request_;
    std::string requestBuffer_;
    std::unique_ptr<MsxmlSaxReader> reader_;
};

}  // namespace Soap
