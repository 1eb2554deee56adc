#include "services/SoapEnvelopeFrame.h"

#include "services/SaxText.h"
#include "services/SoapNamespaces.h"

namespace Soap {
namespace {

bool IsEnvelopeElement(std::u16string_view uri, std::u16string_view localName, std::u16string_view name) {
    return uri == kEnvelopeNamespaceW && localName == name;
}

// A header entry this client would have to understand.
bool MustUnderstand(const SaxAttributes& attributes) {
    const std::u16string* value = FindAttribute(attributes, kEnvelopeNamespaceW, u"mustUnderstand");
    if (!value) return false;
    const auto flag = ParseSchemaBoolean(*value);
    return !flag || *flag;  // an unreadable flag is not something to ignore
}

}  // namespace

bool SoapEnvelopeFrame::StartElement(std::u16string_view uri, std::u16string_view localName,
                                     const SaxAttributes& attributes) {
    switch (state_) {
        case State::Start:
            if (!IsEnvelopeElement(uri, localName, u"Envelope")) return Fail();
            state_ = State::InEnvelope;
            return true;
        case State::InEnvelope:
            if (IsEnvelopeElement(uri, localName, u"Header")) {
                state_ = State::InHeader;
                return true;
            }
            [[fallthrough]];
        case State::AfterHeader:
            if (!IsEnvelopeElement(uri, localName, u"Body")) return Fail();
            state_ = State::InBody;
            return true;
        case State::InHeader:
            if (depth_ == 0 && MustUnderstand(attributes)) return Fail();
            ++depth_;
            return true;
        case State::InBody:
            ++depth_;
            if (!BodyElementStart(depth_, uri, localName, attributes)) return Fail();
            return true;
        default:
            return Fail();
    }
}

bool SoapEnvelopeFrame::EndElement(std::u16string_view, std::u16string_view) {
    switch (state_) {
        case State::InHeader:
            if (depth_ > 0) {
                --depth_;
            } else {
                state_ = State::AfterHeader;
            }
            return true;
        case State::InBody:
            if (depth_ > 0) {
                if (!BodyElementEnd(depth_--)) return Fail();
                return true;
            }
            if (!BodyComplete()) return Fail();
            state_ = State::AfterBody;
            return true;
        case State::AfterBody:
            state_ = State::Done;
            return true;
        default:
            return Fail();  // Envelope ends without Body, or a stray end
    }
}

bool SoapEnvelopeFrame::Characters(std::u16string_view text) {
    switch (state_) {
        case State::InHeader:
            if (depth_ > 0) return true;  // inside a skipped entry
            break;
        case State::InBody:
            if (depth_ > 0) return BodyText(depth_, text) || Fail();
            break;
        case State::Failed:
            return false;
        default:
            break;
    }
    return IsXmlWhitespace(text) || Fail();
}

}  // namespace Soap
