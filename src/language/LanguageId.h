// The six interface languages and the codes that stand for them in links and
// reports.
#pragma once

#include <cstdint>
#include <string>

using LanguageId = std::int32_t;

namespace Language {

constexpr LanguageId English = 0;
constexpr LanguageId French = 1;
constexpr LanguageId German = 2;
constexpr LanguageId Spanish = 3;
constexpr LanguageId Italian = 4;
constexpr LanguageId Japanese = 5;
constexpr LanguageId Count = 6;

// Where an operation takes a language, -1 asks for the current one.
constexpr LanguageId Current = -1;

constexpr bool IsValid(LanguageId language) { return language >= 0 && language < Count; }

}  // namespace Language

// "en", "fr", "de", "es", "it" or "jp"; any id outside 0 to 5 gives "en".
std::u16string LanguageCode(LanguageId language);
