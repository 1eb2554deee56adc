#include "services/CSoapRootHandler.h"

#include "services/SoapEnvelopeWriter.h"

namespace Soap {

void CSoapRootHandler::SetClientStruct(const OperationDescriptor& operation, ParameterRecord& record) {
    operation_ = &operation;
    record_ = &record;
    reader_.reset();
}

bool CSoapRootHandler::GenerateRequest(std::string& out) const {
    return operation_ && WriteRequestEnvelope(*operation_, *record_, out);
}

void CSoapRootHandler::BeginParse() {
    reader_.reset();
    if (operation_) reader_.emplace(*operation_, *record_);
}

bool CSoapRootHandler::ResponseAccepted() const { return reader_ && reader_->Accepted(); }

void CSoapRootHandler::ResetHandler() {
    reader_.reset();
    operation_ = nullptr;
    record_ = nullptr;
}

bool CSoapRootHandler::StartElement(std::u16string_view uri, std::u16string_view localName,
                                    const SaxAttributes& attributes) {
    return reader_ && reader_->StartElement(uri, localName, attributes);
}

bool CSoapRootHandler::EndElement(std::u16string_view uri, std::u16string_view localName) {
    return reader_ && reader_->EndElement(uri, localName);
}

bool CSoapRootHandler::Characters(std::u16string_view text) { return reader_ && reader_->Characters(text); }

}  // namespace Soap
