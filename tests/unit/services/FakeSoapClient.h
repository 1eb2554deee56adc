// A client for the proxies without a network: it records what the proxy
// sends and answers with a status and an event list, so the call steps and
// the client errors can be checked natively.
#pragma once

#include <string>

#include "SaxEventList.h"
#include "services/SoapClientState.h"
#include "services/SoapHttpHeaders.h"

namespace SaxTest {

class FakeSoapClient : public Soap::SoapClientState {
public:
    explicit FakeSoapClient(const std::u16string& url) : url(url) {}

    // How it behaves.
    bool readerAvailable = true;
    bool sendFails = false;
    int status = 200;
    Events answer;

    // What it saw.
    std::u16string url;
    std::u16string sentHeaders;
    std::string sentBody;
    int sends = 0;
    int callsEnded = 0;

    bool EnsureReader() { return readerAvailable; }
    void CleanupClient() {
        requestBuffer_.clear();
        ResetClientState();
    }
    std::string& RequestBuffer() { return requestBuffer_; }
    Soap::Status SendRequest(const std::u16string& soapActionLine) {
        ++sends;
        sentHeaders = Soap::RequestHeaders(soapActionLine);
        sentBody = requestBuffer_;
        if (sendFails) return Soap::kFail;
        return TakeStatus(status, [this](Soap::ISaxEventSink& sink) { return Replay(answer, sink); });
    }
    bool ParseResponse(Soap::ISaxEventSink& sink) { return Replay(answer, sink); }
    void EndCall() { ++callsEnded; }

private:
    std::string requestBuffer_;
};

}  // namespace SaxTest
