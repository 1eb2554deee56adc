// The events of a namespace-aware SAX parse, as the response rules consume
// them. On Windows the MSXML adapter produces them; tests feed lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Soap {

struct SaxAttribute {
    std::u16string uri;
    std::u16string localName;
    std::u16string value;
};
using SaxAttributes = std::vector<SaxAttribute>;

// The value of the attribute with that namespace and local name, or nullptr.
const std::u16string* FindAttribute(const SaxAttributes& attributes, std::u16string_view uri,
                                    std::u16string_view localName);

class ISaxEventSink {
public:
    virtual ~ISaxEventSink() = default;
    // Each returns false when the document is not acceptable; the parse stops.
    virtual bool StartElement(std::u16string_view uri, std::u16string_view localName,
                              const SaxAttributes& attributes) = 0;
    virtual bool EndElement(std::u16string_view uri, std::u16string_view localName) = 0;
    // Character data, in as many pieces as the parser likes.
    virtual bool Characters(std::u16string_view text) = 0;
};

}  // namespace Soap
