// The installer's built-in text tables: constant data, one per language.
#pragma once

#include <vector>

#include "language/LanguageTable.h"

extern const ALang_Table TextTableEnglish;
extern const ALang_Table TextTableGerman;
extern const ALang_Table TextTableFrench;
extern const ALang_Table TextTableItalian;
extern const ALang_Table TextTableSpanish;
extern const ALang_Table TextTableJapanese;

// The six tables in the order the language manager registers them: English,
// Deutsch, Español, Français, Italiano, Japanese.
std::vector<ALang_Resource> BuiltinLanguageTables();
