// The last SOAP fault a client received.
#pragma once

#include <string>
#include <string_view>

namespace Soap {

enum class SoapFaultCode { Unknown = 0, VersionMismatch = 1, MustUnderstand = 2, Client = 3, Server = 4 };

struct SoapFault {
    SoapFaultCode code = SoapFaultCode::Unknown;
    std::u16string codeText;  // faultcode as sent, e.g. "soap:Server"
    std::u16string faultString;
    std::u16string actor;
    std::u16string detail;  // the text of the detail element and everything in it
};

// The code named by a faultcode text: its local part up to the first dot
// ("soap:Client.Authentication" is Client).
SoapFaultCode FaultCodeFromText(std::u16string_view codeText);

}  // namespace Soap
