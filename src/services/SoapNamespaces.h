// The namespace URIs of SOAP 1.1 and XML Schema 2001 that envelopes use.
#pragma once

namespace Soap {

inline constexpr char kEnvelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr char kSchemaInstanceNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr char kSchemaNamespace[] = "http://www.w3.org/2001/XMLSchema";
inline constexpr char kEncodingNamespace[] = "http://schemas.xmlsoap.org/soap/encoding/";

inline constexpr char16_t kEnvelopeNamespaceW[] = u"http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr char16_t kSchemaInstanceNamespaceW[] = u"http://www.w3.org/2001/XMLSchema-instance";

}  // namespace Soap
