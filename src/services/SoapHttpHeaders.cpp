#include "services/SoapHttpHeaders.h"

#include "common/TextUtil.h"

namespace Soap {

std::u16string SoapActionLine(const OperationDescriptor& operation) {
    return u"SOAPAction: \"" + std::u16string(operation.serviceNamespace) + Common::Ascii(operation.name) +
           u"\"\r\n";
}

std::u16string RequestHeaders(const std::u16string& soapActionLine) {
    return soapActionLine + u"Content-Type: text/xml; charset=utf-8\r\n";
}

}  // namespace Soap
