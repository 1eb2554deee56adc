// The request envelope of a document/literal "wrapped" call: one line of
// 8-bit text without an XML declaration or whitespace between elements.
#pragma once

#include <string>

#include "services/SoapOperation.h"

namespace Soap {

// The Envelope start tag with the soap, xsi, xsd and soapenc namespaces.
const std::string& EnvelopeStartTag();

// Appends the envelope of `operation` with the in-values of `record` to
// `out`. False when the call style is not document/literal wrapped, or when a
// value does not fit its descriptor or is of a type the runtime cannot
// write; `out` may then hold a part of the envelope.
bool WriteRequestEnvelope(const OperationDescriptor& operation, const ParameterRecord& record, std::string& out);

}  // namespace Soap
