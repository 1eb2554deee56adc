#include "language/LanguageId.h"

std::u16string LanguageCode(LanguageId language) {
    // Indexed by LanguageId. "jp" rather than "ja" is what the services expect.
    static constexpr const char16_t* kCodes[Language::Count] = {u"en", u"fr", u"de", u"es", u"it", u"jp"};
    return Language::IsValid(language) ? kCodes[language] : kCodes[Language::English];
}
