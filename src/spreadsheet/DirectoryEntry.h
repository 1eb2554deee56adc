// Directory entries of a compound file and the tree that links a storage's
// children.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/CompoundFileFormat.h"

namespace YExcel {

struct DirectoryEntry {
    std::u16string name;
    std::uint8_t type = Cfb::StreamType;
    std::uint32_t leftSibling = Cfb::NoEntry;
    std::uint32_t rightSibling = Cfb::NoEntry;
    std::uint32_t child = Cfb::NoEntry;
    std::uint32_t start = Cfb::EndOfChain;
    std::uint32_t size = 0;

    // The 128 bytes of the entry; the name must hold at most 31 code units.
    void AppendTo(ByteBuffer& out) const;
};

// Directory order: shorter names first, equal lengths by UTF-16 code units.
bool NameSortsBefore(const std::u16string& a, const std::u16string& b);

// Links the children (entry indexes, in directory order) under the storage:
// the middle child hangs from the storage, those before it form a chain of
// left siblings, those after it a chain of right siblings.
void LinkChildren(std::vector<DirectoryEntry>& entries, std::uint32_t storage,
                  const std::vector<std::uint32_t>& children);

}  // namespace YExcel
