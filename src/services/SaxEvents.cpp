#include "services/SaxEvents.h"

namespace Soap {

const std::u16string* FindAttribute(const SaxAttributes& attributes, std::u16string_view uri,
                                    std::u16string_view localName) {
    for (const auto& attribute : attributes) {
        if (attribute.uri == uri && attribute.localName == localName) return &attribute.value;
    }
    return nullptr;
}

}  // namespace Soap
