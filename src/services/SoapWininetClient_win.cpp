#include "services/SoapWininetClient.h"

#include <cwchar>

#include "common/WideText.h"
#include "services/SoapHttpHeaders.h"

namespace Soap {

CSoapWininetClient::CSoapWininetClient(const std::u16string& url) : url_(SplitUrl(url)) {}

DWORD CSoapWininetClient::RequestFlags(const UrlParts& url) {
    return INTERNET_FLAG_NO_UI | INTERNET_FLAG_KEEP_CONNECTION | (url.secure ? INTERNET_FLAG_SECURE : 0);
}

void CSoapWininetClient::SetTimeout(DWORD milliseconds) {
    timeout_ = milliseconds;
    if (root_) ApplyTimeout(root_.Get());
}

void CSoapWininetClient::ApplyTimeout(HINTERNET handle) const {
    if (timeout_ == 0) return;
    DWORD value = timeout_;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionW(handle, option, &value, sizeof(value));
    }
}

bool CSoapWininetClient::EnsureReader() {
    if (!reader_) reader_ = MsxmlSaxReader::Create();
    return reader_ != nullptr;
}

void CSoapWininetClient::CleanupClient() {
    requestBuffer_.clear();
    request_.Reset();
    ResetClientState();
}

void CSoapWininetClient::EndCall() { reader_.reset(); }

bool CSoapWininetClient::Connect() {
    if (!url_) return false;
    InternetHandle root(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!root) return false;
    ApplyTimeout(root.Get());  // handles opened from it take it over (on Windows)
    InternetHandle connection(InternetConnectW(root.Get(), Common::AsWide(url_->host), url_->port, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    root_ = std::move(root);
    connection_ = std::move(connection);
    return true;
}

Status CSoapWininetClient::SendRequest(const std::u16string& soapActionLine) {
    if (!connection_ && !Connect()) {
        SetClientError(ClientError::ConnectError);
        return kFail;
    }
    std::u16string headers;
    try {
        headers = RequestHeaders(soapActionLine);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    const wchar_t* acceptTypes[] = {L"text/*", nullptr};
    request_.Reset(HttpOpenRequestW(connection_.Get(), L"POST", Common::AsWide(url_->target), L"HTTP/1.0", nullptr,
                                    acceptTypes, RequestFlags(*url_), 0));
    if (!request_) {
        SetClientError(ClientError::SendError);
        return kFail;
    }
    // Again on the request: Wine's WinInet keeps only the connect time-out of
    // the root handle, and a request waits for its answer without limit.
    ApplyTimeout(request_.Get());
    if (!HttpSendRequestW(request_.Get(), Common::AsWide(headers), static_cast<DWORD>(headers.size()),
                          requestBuffer_.data(), static_cast<DWORD>(requestBuffer_.size()))) {
        return kFail;
    }
    return TakeStatus(QueryStatusCode(), [this](ISaxEventSink& sink) { return ParseResponse(sink); });
}

int CSoapWininetClient::QueryStatusCode() const {
    wchar_t buffer[255] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (!HttpQueryInfoW(request_.Get(), HTTP_QUERY_STATUS_CODE, buffer, &size, nullptr)) return 0;
    return static_cast<int>(std::wcstol(buffer, nullptr, 10));
}

bool CSoapWininetClient::ReadBody(std::string& body) const {
    char chunk[8192];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request_.Get(), chunk, sizeof(chunk), &read)) return false;
        if (read == 0) return true;
        if (body.size() + read > kMaxResponseBytes) return false;
        body.append(chunk, read);
    }
}

bool CSoapWininetClient::ParseResponse(ISaxEventSink& sink) {
    if (!request_ || !reader_) return false;
    std::string body;
    try {
        return ReadBody(body) && reader_->Parse(body, sink);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace Soap
