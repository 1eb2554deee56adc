// The shape of a language's text table and of its registration.
#pragma once

#include <array>
#include <cstdint>

#include "language/LanguageId.h"

// One item of one language. A placement (x, y, width, height in the dialog's
// client pixels) of all zeros leaves the control where its template puts it.
struct ALang_Entry {
    std::int32_t id;     // an ELang_Item, a dialog control id, or 0
    const char16_t* text;  // never null for the 126 items; null only in the end entry
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool HasPlacement() const { return x != 0 || y != 0 || width != 0 || height != 0; }
};

// Every table holds the same 131 items at the same positions, then an end
// entry (id 0, no text).
constexpr int kLangItemCount = 131;
constexpr int kLangTableLength = kLangItemCount + 1;
using ALang_Table = std::array<ALang_Entry, kLangTableLength>;

// A registered language: its id, its display name and its (constant) table.
struct ALang_Resource {
    LanguageId language;
    const char16_t* name;
    const ALang_Table* table;
};
