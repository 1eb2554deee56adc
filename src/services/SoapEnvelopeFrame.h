// The frame every SOAP 1.1 answer shares: Envelope first, an optional
// Header directly inside it and before Body, then Body, then nothing else.
// Header entries are skipped, but one marked mustUnderstand stops the parse:
// this client understands none. Text between the frame's elements must be
// whitespace. What Body holds is for the derived reader to judge.
#pragma once

#include "services/SaxEvents.h"

namespace Soap {

class SoapEnvelopeFrame : public ISaxEventSink {
public:
    bool StartElement(std::u16string_view uri, std::u16string_view localName,
                      const SaxAttributes& attributes) final;
    bool EndElement(std::u16string_view uri, std::u16string_view localName) final;
    bool Characters(std::u16string_view text) final;

    // The whole envelope arrived and every rule held.
    bool Accepted() const { return state_ == State::Done; }

protected:
    // Elements inside Body; `depth` 1 is a direct child of Body.
    virtual bool BodyElementStart(int depth, std::u16string_view uri, std::u16string_view localName,
                                  const SaxAttributes& attributes) = 0;
    virtual bool BodyElementEnd(int depth) = 0;
    // Text inside a Body element of that depth (1 or more).
    virtual bool BodyText(int depth, std::u16string_view text) = 0;
    // Body ends: whether it held what was expected.
    virtual bool BodyComplete() = 0;

private:
    enum class State { Start, InEnvelope, InHeader, AfterHeader, InBody, AfterBody, Done, Failed };

    bool Fail() {
        state_ = State::Failed;
        return false;
    }

    State state_ = State::Start;
    int depth_ = 0;  // below Header or Body
};

}  // namespace Soap
