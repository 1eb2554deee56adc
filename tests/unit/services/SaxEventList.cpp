#include "SaxEventList.h"

#include "services/SoapNamespaces.h"

namespace SaxTest {

Events operator+(Events first, const Events& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Events Text(std::u16string text) { return {Event{Event::kText, {}, {}, {}, std::move(text)}}; }

Events Element(std::u16string uri, std::u16string localName, const Events& inner, Soap::SaxAttributes attributes) {
    Events events{Event{Event::kStart, uri, localName, std::move(attributes), {}}};
    events = events + inner;
    events.push_back(Event{Event::kEnd, std::move(uri), std::move(localName), {}, {}});
    return events;
}

Events SoapElement(std::u16string localName, const Events& inner, Soap::SaxAttributes attributes) {
    return Element(Soap::kEnvelopeNamespaceW, std::move(localName), inner, std::move(attributes));
}

Events Envelope(const Events& body, const Events* header) {
    return SoapElement(u"Envelope", (header ? SoapElement(u"Header", *header) : Events{}) + SoapElement(u"Body", body));
}

Soap::SaxAttribute Nil(std::u16string value) {
    return Soap::SaxAttribute{Soap::kSchemaInstanceNamespaceW, u"nil", std::move(value)};
}

bool Replay(const Events& events, Soap::ISaxEventSink& sink) {
    for (const Event& event : events) {
        bool accepted = false;
        switch (event.kind) {
            case Event::kStart: accepted = sink.StartElement(event.uri, event.localName, event.attributes); break;
            case Event::kEnd: accepted = sink.EndElement(event.uri, event.localName); break;
            case Event::kText: accepted = sink.Characters(event.text); break;
        }
        if (!accepted) return false;
    }
    return true;
}

}  // namespace SaxTest
