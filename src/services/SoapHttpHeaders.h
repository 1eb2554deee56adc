// The extra request headers of a SOAP call.
#pragma once

#include <string>

#include "services/SoapOperation.h"

namespace Soap {

// "SOAPAction: \"<service namespace><operation>\"\r\n"
std::u16string SoapActionLine(const OperationDescriptor& operation);

// The action line followed by "Content-Type: text/xml; charset=utf-8\r\n".
std::u16string RequestHeaders(const std::u16string& soapActionLine);

}  // namespace Soap
