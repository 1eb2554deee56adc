// What a SOAP client keeps about its most recent call: the client error,
// the last fault and the HTTP status, and the rule that turns an HTTP status
// into the call's outcome. Shared by the WinInet client and test clients.
#pragma once

#include <functional>

#include "services/ClientError.h"
#include "services/SaxEvents.h"
#include "services/SoapFault.h"
#include "services/SoapStatus.h"

namespace Soap {

class SoapClientState {
public:
    ClientError GetClientError() const { return clientError_; }
    void SetClientError(ClientError error) { clientError_ = error; }
    // Valid after a call that failed with ClientError::SoapFault.
    const SoapFault& GetLastFault() const { return lastFault_; }
    // The HTTP status of the last request; 0 when there was none.
    int GetStatusCode() const { return statusCode_; }

protected:
    // Client error 0, no fault, no status.
    void ResetClientState();

    // Feeds a body into a sink; false when it is no well-formed document the
    // sink accepted all of.
    using BodyParser = std::function<bool(ISaxEventSink&)>;

    // Any status but 500 is an answer for the response parser. 500 is a
    // fault: client error 7 with the fault stored, or 8 when the body is
    // no SOAP fault; the call fails either way.
    Status TakeStatus(int statusCode, const BodyParser& parseBody);

private:
    ClientError clientError_ = ClientError::Success;
    SoapFault lastFault_;
    int statusCode_ = 0;
};

}  // namespace Soap
