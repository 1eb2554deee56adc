// The six built-in tables by language, for tests that walk all of them.
#pragma once

#include <string>

#include "language/LanguageId.h"
#include "language/TextTables.h"

struct NamedTable {
    const char* name;
    LanguageId language;
    const ALang_Table* table;
};

// In memory (and export) order.
inline const NamedTable kAllTables[] = {
    {"English", Language::English, &TextTableEnglish}, {"German", Language::German, &TextTableGerman},
    {"French", Language::French, &TextTableFrench},    {"Italian", Language::Italian, &TextTableItalian},
    {"Spanish", Language::Spanish, &TextTableSpanish}, {"Japanese", Language::Japanese, &TextTableJapanese},
};

inline const ALang_Table& TableOf(LanguageId language) {
    for (const NamedTable& named : kAllTables)
        if (named.language == language) return *named.table;
    return TextTableEnglish;
}

// The text of `item` in `table`, or "<missing>".
inline std::u16string TextOf(const ALang_Table& table, std::int32_t item) {
    for (const ALang_Entry& entry : table)
        if (entry.id == item && entry.text) return entry.text;
    return u"<missing>";
}

inline std::string Utf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
