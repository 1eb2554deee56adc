#include "services/SoapEnvelopeWriter.h"

#include "services/SoapNamespaces.h"
#include "services/SoapValueEncoding.h"

namespace Soap {
namespace {

bool AppendValue(std::string& out, const ParameterDescriptor& parameter, const SoapValue& value) {
    out += '<';
    out += parameter.name;
    switch (parameter.type) {
        case XsdType::String: {
            const auto* text = std::get_if<SoapString>(&value);
            if (!text) return false;
            if (!text->has_value()) {
                if (!parameter.nullable) return false;
                out += " xsi:nil=\"1\"/>";
                return true;
            }
            out += '>';
            AppendEncodedText(out, **text);
            break;
        }
        case XsdType::Int: {
            const auto* number = std::get_if<std::int32_t>(&value);
            if (!number) return false;
            out += '>';
            AppendEncodedInt(out, *number);
            break;
        }
        case XsdType::Boolean: {
            const auto* flag = std::get_if<SoapBoolean>(&value);
            if (!flag) return false;
            out += '>';
            AppendEncodedBoolean(out, flag->byte);
            break;
        }
        default:
            return false;
    }
    out += "</";
    out += parameter.name;
    out += '>';
    return true;
}

}  // namespace

const std::string& EnvelopeStartTag() {
    static const std::string tag = std::string("<soap:Envelope") +                    //
                                   " xmlns:soap=\"" + kEnvelopeNamespace + "\"" +       //
                                   " xmlns:xsi=\"" + kSchemaInstanceNamespace + "\"" +  //
                                   " xmlns:xsd=\"" + kSchemaNamespace + "\"" +          //
                                   " xmlns:soapenc=\"" + kEncodingNamespace + "\">";
    return tag;
}

bool WriteRequestEnvelope(const OperationDescriptor& operation, const ParameterRecord& record, std::string& out) {
    if (operation.callStyle != kDocumentLiteralWrapped) return false;
    out += EnvelopeStartTag();
    out += "<soap:Body><";
    out += operation.name;
    out += " xmlns=\"";
    AppendEncodedText(out, operation.serviceNamespace, true);
    out += "\">";
    for (const ParameterDescriptor* p = operation.parameters; p->name; ++p) {
        if (!(p->direction & kIn)) continue;
        if (p->position >= record.size() || !AppendValue(out, *p, record[p->position])) return false;
    }
    out += "</";
    out += operation.name;
    out += "></soap:Body></soap:Envelope>";
    return true;
}

}  // namespace Soap
