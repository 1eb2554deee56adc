// The envelope writer and response handler of a proxy: it holds the
// operation and parameter record of the call in progress, writes their
// request envelope and takes the answer's SAX events.
#pragma once

#include <optional>
#include <string>

#include "services/SaxEvents.h"
#include "services/SoapOperation.h"
#include "services/SoapResponseReader.h"

namespace Soap {

class CSoapRootHandler : public ISaxEventSink {
public:
    // Registers the call's operation and record; both must outlive the call.
    void SetClientStruct(const OperationDescriptor& operation, ParameterRecord& record);
    // Appends the request envelope; false when it cannot be written.
    bool GenerateRequest(std::string& out) const;

    // Starts reading an answer; the events follow.
    void BeginParse();
    // The answer was complete and valid; the out-values are in the record.
    bool ResponseAccepted() const;
    // Forgets the call.
    void ResetHandler();

    bool StartElement(std::u16string_view uri, std::u16string_view localName,
                      const SaxAttributes& attributes) override;
    bool EndElement(std::u16string_view uri, std::u16string_view localName) override;
    bool Characters(std::u16string_view text) override;

private:
    const OperationDescriptor* operation_ = nullptr;
    ParameterRecord* record_ = nullptr;
    std::optional<SoapResponseReader> reader_;
};

}  // namespace Soap
