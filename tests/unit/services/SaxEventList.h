// SAX event lists for the response rules: what a namespace-aware parser
// reports for a document, written as nested builders.
#pragma once

#include <string>
#include <vector>

#include "services/SaxEvents.h"

namespace SaxTest {

struct Event {
    enum Kind { kStart, kEnd, kText } kind;
    std::u16string uri;
    std::u16string localName;
    Soap::SaxAttributes attributes;
    std::u16string text;
};
using Events = std::vector<Event>;

Events operator+(Events first, const Events& second);

Events Text(std::u16string text);
// The element with `inner` between its start and its end.
Events Element(std::u16string uri, std::u16string localName, const Events& inner = {},
               Soap::SaxAttributes attributes = {});
// An element in the SOAP envelope namespace.
Events SoapElement(std::u16string localName, const Events& inner = {}, Soap::SaxAttributes attributes = {});
// Envelope > Body > body, with the header first when one is given.
Events Envelope(const Events& body, const Events* header = nullptr);
// The attribute xsi:nil with that value.
Soap::SaxAttribute Nil(std::u16string value);

// Feeds the events into `sink` until one is refused; true when none was.
bool Replay(const Events& events, Soap::ISaxEventSink& sink);

}  // namespace SaxTest
