#include "services/SoapFaultReader.h"

#include "services/SaxText.h"
#include "services/SoapNamespaces.h"

namespace Soap {

SoapFaultCode FaultCodeFromText(std::u16string_view codeText) {
    codeText = TrimXmlWhitespace(codeText);
    const auto colon = codeText.find(u':');
    if (colon != std::u16string_view::npos) codeText.remove_prefix(colon + 1);
    codeText = codeText.substr(0, codeText.find(u'.'));
    if (codeText == u"VersionMismatch") return SoapFaultCode::VersionMismatch;
    if (codeText == u"MustUnderstand") return SoapFaultCode::MustUnderstand;
    if (codeText == u"Client") return SoapFaultCode::Client;
    if (codeText == u"Server") return SoapFaultCode::Server;
    return SoapFaultCode::Unknown;
}

std::u16string* SoapFaultReader::Target(Field field) {
    switch (field) {
        case kCode: return &fault_.codeText;
        case kString: return &fault_.faultString;
        case kActor: return &fault_.actor;
        case kDetail: return &fault_.detail;
        default: return nullptr;
    }
}

bool SoapFaultReader::BodyElementStart(int depth, std::u16string_view uri, std::u16string_view localName,
                                       const SaxAttributes&) {
    if (depth == 1) {
        if (faultStarted_) return false;
        faultStarted_ = true;
        return uri == kEnvelopeNamespaceW && localName == u"Fault";
    }
    if (depth == 2) {
        // The four are unqualified in SOAP 1.1; their names decide, not a namespace.
        current_ = localName == u"faultcode"     ? kCode
                   : localName == u"faultstring" ? kString
                   : localName == u"faultactor"  ? kActor
                   : localName == u"detail"      ? kDetail
                                                 : kIgnored;
        if (current_ == kIgnored) return true;
        if (seen_[current_]) return false;
        seen_[current_] = true;
        return true;
    }
    // Only detail and ignored elements may hold markup.
    return current_ == kDetail || current_ == kIgnored;
}

bool SoapFaultReader::BodyElementEnd(int depth) {
    if (depth == 2) {
        if (current_ == kCode) {
            fault_.codeText = std::u16string(TrimXmlWhitespace(fault_.codeText));
            fault_.code = FaultCodeFromText(fault_.codeText);
        }
        current_ = kNone;
    } else if (depth == 1) {
        faultEnded_ = seen_[kCode] && seen_[kString];
        return faultEnded_;
    }
    return true;
}

bool SoapFaultReader::BodyText(int depth, std::u16string_view text) {
    if (depth == 1) return IsXmlWhitespace(text);
    std::u16string* target = Target(current_);
    return !target || AppendBounded(*target, text);
}

bool SoapFaultReader::BodyComplete() { return faultEnded_; }

}  // namespace Soap
