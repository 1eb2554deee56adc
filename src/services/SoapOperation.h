// How an operation of a service is described (constant data, one per
// operation) and the parameter record that carries one call's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "services/XsdType.h"

namespace Soap {

// A "string" value; nullopt stands for an absent (null) string.
using SoapString = std::optional<std::u16string>;
// A "boolean" value as one byte: 1 is true, any other value false.
struct SoapBoolean {
    std::uint8_t byte = 0;
};
using SoapValue = std::variant<SoapString, std::int32_t, SoapBoolean>;
// One field per parameter, at the parameter's position.
using ParameterRecord = std::vector<SoapValue>;

enum ParameterDirection : std::uint8_t { kIn = 1, kOut = 2 };

struct ParameterDescriptor {
    const char* name;  // the element name; nullptr ends a table
    const char16_t* wideName;
    XsdType type;
    std::uint8_t direction;  // kIn, kOut or both
    bool nullable;
    std::size_t position;
};

enum CallStyle : std::uint8_t { kDocument = 1, kLiteral = 2, kWrapped = 4 };
inline constexpr std::uint8_t kDocumentLiteralWrapped = kDocument | kLiteral | kWrapped;

struct OperationDescriptor {
    const char* name;
    const char16_t* responseName;  // the name followed by "Response"
    const ParameterDescriptor* parameters;
    std::size_t recordSize;
    std::uint8_t callStyle;
    const char16_t* serviceNamespace;
};

// A record for the operation with every field empty: null strings, 0, false.
ParameterRecord MakeRecord(const OperationDescriptor& operation);

}  // namespace Soap

// A descriptor entry from one literal name; strings are nullable, other
// types are not. A table ends with SOAP_PARAMETER_END.
#define SOAP_PARAMETER(name, type, direction, position)                                              \
    ::Soap::ParameterDescriptor {                                                                    \
        name, u"" name, ::Soap::XsdType::type, (direction), ::Soap::XsdType::type == ::Soap::XsdType::String, \
            (position)                                                                               \
    }
#define SOAP_PARAMETER_END \
    ::Soap::ParameterDescriptor { nullptr, nullptr, ::Soap::XsdType::String, 0, false, 0 }
// An operation descriptor from its literal name and its parameter table;
// the response element is the name followed by "Response".
#define SOAP_OPERATION(name, parameters, serviceNamespace)                                          \
    ::Soap::OperationDescriptor {                                                                   \
        name, u"" name u"Response", (parameters), std::size(parameters) - 1, ::Soap::kDocumentLiteralWrapped, \
            (serviceNamespace)                                                                      \
    }
