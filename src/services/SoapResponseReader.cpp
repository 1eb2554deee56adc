#include "services/SoapResponseReader.h"

#include <algorithm>

#include "services/SaxText.h"
#include "services/SoapNamespaces.h"

namespace Soap {

SoapResponseReader::SoapResponseReader(const OperationDescriptor& operation, ParameterRecord& record)
    : operation_(operation), record_(record) {}

bool SoapResponseReader::BodyElementStart(int depth, std::u16string_view uri, std::u16string_view localName,
                                          const SaxAttributes& attributes) {
    if (depth == 1) {
        if (responseStarted_) return false;  // one answer per Body
        responseStarted_ = true;
        return uri == operation_.serviceNamespace && localName == operation_.responseName;
    }
    if (depth == 2) return StartValue(localName, attributes);
    return false;  // markup inside a value
}

bool SoapResponseReader::StartValue(std::u16string_view localName, const SaxAttributes& attributes) {
    for (const ParameterDescriptor* p = operation_.parameters; p->name; ++p) {
        if (!(p->direction & kOut) || localName != p->wideName) continue;
        if (std::find(received_.begin(), received_.end(), p) != received_.end()) return false;
        received_.push_back(p);
        current_ = p;
        text_.clear();
        currentIsNil_ = false;
        if (const std::u16string* nil = FindAttribute(attributes, kSchemaInstanceNamespaceW, u"nil")) {
            const auto flag = ParseSchemaBoolean(*nil);
            if (!flag) return false;
            currentIsNil_ = *flag;
        }
        return true;
    }
    return false;
}

bool SoapResponseReader::BodyElementEnd(int depth) {
    if (depth == 2) return StoreValue();
    std::size_t outCount = 0;
    for (const ParameterDescriptor* p = operation_.parameters; p->name; ++p) {
        if (p->direction & kOut) ++outCount;
    }
    responseEnded_ = outCount == received_.size();  // each was received once
    return responseEnded_;
}

bool SoapResponseReader::BodyText(int depth, std::u16string_view text) {
    if (depth == 1) return IsXmlWhitespace(text);
    return AppendBounded(text_, text);
}

bool SoapResponseReader::BodyComplete() { return responseEnded_; }

bool SoapResponseReader::StoreValue() {
    const ParameterDescriptor& p = *current_;
    current_ = nullptr;
    if (p.position >= record_.size()) return false;
    SoapValue& field = record_[p.position];
    if (currentIsNil_) {
        if (!p.nullable || !IsXmlWhitespace(text_)) return false;
        field = SoapString();
        return true;
    }
    switch (p.type) {
        case XsdType::String:
            field = SoapString(std::move(text_));
            return true;
        case XsdType::Int:
            if (const auto number = ParseSchemaInt(text_)) {
                field = *number;
                return true;
            }
            return false;
        case XsdType::Boolean:
            if (const auto flag = ParseSchemaBoolean(text_)) {
                field = SoapBoolean{static_cast<std::uint8_t>(*flag ? 1 : 0)};
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace Soap
