// Reads the body of an HTTP 500 answer as a SOAP 1.1 fault: Body holds the
// Fault element, which holds faultcode and faultstring and may hold
// faultactor and detail. Other elements inside Fault are ignored; each of
// the four may appear once.
#pragma once

#include "services/SoapEnvelopeFrame.h"
#include "services/SoapFault.h"

namespace Soap {

class SoapFaultReader : public SoapEnvelopeFrame {
public:
    // The fault as far as it was read; complete once Accepted().
    const SoapFault& Fault() const { return fault_; }

private:
    enum Field { kNone, kCode, kString, kActor, kDetail, kIgnored, kFieldCount };

    bool BodyElementStart(int depth, std::u16string_view uri, std::u16string_view localName,
                          const SaxAttributes& attributes) override;
    bool BodyElementEnd(int depth) override;
    bool BodyText(int depth, std::u16string_view text) override;
    bool BodyComplete() override;

    std::u16string* Target(Field field);

    SoapFault fault_;
    bool faultStarted_ = false;
    bool faultEnded_ = false;
    bool seen_[kFieldCount] = {};
    Field current_ = kNone;
};

}  // namespace Soap
