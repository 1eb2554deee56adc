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
