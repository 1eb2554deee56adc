// The workbook's shared string table: every distinct text once, in the order
// of first use, and the count of all string cells.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "spreadsheet/RecordStream.h"

namespace YExcel {

class SharedStringTable {
public:
    // Counts one more string cell and returns the text's index.
    std::uint32_t Add(const std::u16string& text);
    // The index of a text added before.
    std::uint32_t IndexOf(const std::u16string& text) const { return indexes_.at(text); }

    std::uint32_t TotalCount() const { return total_; }
    const std::vector<std::u16string>& Strings() const { return strings_; }

    // The SST record and the CONTINUE records it needs. Strings that do not
    // fit the record are split between UTF-16 characters, and never inside a
    // surrogate pair, so every piece decodes on its own.
    void Write(RecordStream& out) const;

private:
    std::vector<std::u16string> strings_;
    std::unordered_map<std::u16string, std::uint32_t> indexes_;
    std::uint32_t total_ = 0;
};

}  // namespace YExcel
