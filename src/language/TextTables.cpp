#include "language/TextTables.h"

std::vector<ALang_Resource> BuiltinLanguageTables() {
    return {
        {Language::English, u"English", &TextTableEnglish},
        {Language::German, u"Deutsch", &TextTableGerman},
        {Language::Spanish, u"Español", &TextTableSpanish},
        {Language::French, u"Français", &TextTableFrench},
        {Language::Italian, u"Italiano", &TextTableItalian},
        {Language::Japanese, u"Japanese", &TextTableJapanese},
    };
}
