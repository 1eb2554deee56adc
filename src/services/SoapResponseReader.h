// The rules for the answer of one operation: Body holds first the
// operation's response element in the service namespace, and inside it
// exactly one element per out-parameter (matched by name), decoded into the
// parameter record. A nullable parameter may be sent as xsi:nil. Anything
// else -- another element, a repeated or missing parameter, markup inside a
// value, a value that does not read as its type -- rejects the answer.
#pragma once

#include <string>
#include <vector>

#include "services/SoapEnvelopeFrame.h"
#include "services/SoapOperation.h"

namespace Soap {

class SoapResponseReader : public SoapEnvelopeFrame {
public:
    SoapResponseReader(const OperationDescriptor& operation, ParameterRecord& record);

private:
    bool BodyElementStart(int depth, std::u16string_view uri, std::u16string_view localName,
                          const SaxAttributes& attributes) override;
    bool BodyElementEnd(int depth) override;
    bool BodyText(int depth, std::u16string_view text) override;
    bool BodyComplete() override;

    bool StartValue(std::u16string_view localName, const SaxAttributes& attributes);
    bool StoreValue();

    const OperationDescriptor& operation_;
    ParameterRecord& record_;
    bool responseStarted_ = false;
    bool responseEnded_ = false;
    std::vector<const ParameterDescriptor*> received_;
    const ParameterDescriptor* current_ = nullptr;  // the value being read
    bool currentIsNil_ = false;
    std::u16string text_;
};

}  // namespace Soap
