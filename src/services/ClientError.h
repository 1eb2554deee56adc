// What went wrong in the most recent call of a SOAP client. The numbers are
// the ones the statistics fallback line and the callers' checks rely on.
#pragma once

namespace Soap {

enum class ClientError : int {
    Success = 0,          // also the value after a call's reset
    InitializeError = 1,  // no SAX reader, or it refused the response handler
    OutOfMemory = 2,      // the parameter record could not be filled
    GenerateError = 3,    // the request envelope could not be written
    ConnectError = 4,     // no Internet handle or no connection
    SendError = 5,        // the HTTP request could not be opened
    SoapFault = 7,        // HTTP status 500; the fault is in the client
    ParseFaultError = 8,  // HTTP status 500 with a body that is no SOAP fault
    ParseError = 10,      // the body is not the expected answer
};

}  // namespace Soap
