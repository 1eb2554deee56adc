// The SOAP answer rules on arbitrary event sequences: the input bytes are
// decoded into the balanced start, end and text events a parser could
// report, built from the names and namespaces that matter to the rules. No
// sequence may crash a reader, and no accepted answer may hold more text
// than a value is allowed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "DeploymentValues.h"
#include "services/DesktopServiceOperations.h"
#include "services/SaxText.h"
#include "services/SoapFaultReader.h"
#include "services/SoapNamespaces.h"
#include "services/SoapResponseReader.h"
#include "services/UpdateServiceOperations.h"

namespace {

using namespace Soap;

const char16_t* const kNames[] = {u"Envelope", u"Header", u"Body", u"Fault", u"faultcode", u"faultstring",
                                  u"faultactor", u"detail", u"GetVersionInfoResponse", u"GetVersionInfoResult",
                                  u"StartInstallationResponse", u"Version"};
const char16_t* const kUris[] = {kEnvelopeNamespaceW, Deployment::kServiceNamespace, u"", kSchemaInstanceNamespaceW};

struct Element {
    std::u16string uri;
    std::u16string name;
};

class Decoder {
public:
    Decoder(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Done() const { return at_ >= size_; }
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

SaxAttributes AttributesFor(std::uint8_t choice) {
    static const char16_t* const kValues[] = {u"true", u"1", u"false", u"0", u"yes", u""};
    const char16_t* value = kValues[(choice / 3) % 6];
    switch (choice % 3) {
        case 1: return {{kSchemaInstanceNamespaceW, u"nil", value}};
        case 2: return {{kEnvelopeNamespaceW, u"mustUnderstand", value}};
        default: return {};
    }
}

// Replays the decoded events into every sink that still accepts them.
void Run(const std::uint8_t* data, std::size_t size, const std::vector<ISaxEventSink*>& sinks) {
    std::vector<bool> open(sinks.size(), true);
    const auto each = [&](auto&& event) {
        for (std::size_t i = 0; i < sinks.size(); ++i) {
            if (open[i] && !event(*sinks[i])) open[i] = false;
        }
    };
    Decoder in(data, size);
    std::vector<Element> stack;
    while (!in.Done()) {
        switch (in.Next() % 5) {
            case 0: {
                Element element{kUris[in.Next() % 4], kNames[in.Next() % 12]};
                const SaxAttributes attributes = AttributesFor(in.Next());
                each([&](ISaxEventSink& s) { return s.StartElement(element.uri, element.name, attributes); });
                stack.push_back(std::move(element));
                break;
            }
            case 1:
                if (stack.empty()) break;
                each([&](ISaxEventSink& s) { return s.EndElement(stack.back().uri, stack.back().name); });
                stack.pop_back();
                break;
            case 2: {
                std::u16string text(in.Next() % 16, u'\0');
                for (auto& c : text) c = static_cast<char16_t>(in.Next());
                each([&](ISaxEventSink& s) { return s.Characters(text); });
                break;
            }
            case 3:
                each([](ISaxEventSink& s) { return s.Characters(u" \r\n\t"); });
                break;
            default: {
                const std::u16string text(4096u * (1 + in.Next() % 4), u'x');
                each([&](ISaxEventSink& s) { return s.Characters(text); });
                break;
            }
        }
    }
    for (; !stack.empty(); stack.pop_back()) {
        each([&](ISaxEventSink& s) { return s.EndElement(stack.back().uri, stack.back().name); });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParameterRecord version = MakeRecord(Update::kGetVersionInfo);
    SoapResponseReader versionReader(Update::kGetVersionInfo, version);
    ParameterRecord start = MakeRecord(NewStats::kStartInstallation);
    SoapResponseReader startReader(NewStats::kStartInstallation, start);
    SoapFaultReader faultReader;
    Run(data, size, {&versionReader, &startReader, &faultReader});

    if (versionReader.Accepted()) {
        const auto& result = std::get<SoapString>(version[1]);
        if (result && result->size() > kMaxValueLength) std::abort();
    }
    if (faultReader.Accepted()) {
        const SoapFault& fault = faultReader.Fault();
        if (fault.faultString.size() > kMaxValueLength || fault.detail.size() > kMaxValueLength) std::abort();
    }
    return 0;
}
