// The language manager's error: inconsistent tables, or an item or control
// that a caller asks for but that does not exist. Both are programming errors.
#pragma once

#include <cstdint>

class AException {
public:
    static constexpr std::int32_t kNoTable = 26;        // the language has no table
    static constexpr std::int32_t kNoEntry = 27;        // the table has no such item
    static constexpr std::int32_t kNoControl = 28;      // the dialog has no such control
    static constexpr std::int32_t kTableExists = 29;    // a second table for a language
    static constexpr std::int32_t kTablesDisagree = 30; // tables differ, or lack an ELang_Item

    AException(std::int32_t code, const char16_t* text) : code_(code), text_(text) {}

    std::int32_t Code() const { return code_; }
    const char16_t* Text() const { return text_; }

private:
    std::int32_t code_;
    const char16_t* text_;
};
