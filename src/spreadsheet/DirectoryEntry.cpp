#include "spreadsheet/DirectoryEntry.h"

namespace YExcel {

void DirectoryEntry::AppendTo(ByteBuffer& out) const {
    for (std::size_t i = 0; i < 32; ++i) out.U16(i < name.size() ? name[i] : 0);
    out.U16(static_cast<std::uint16_t>((name.size() + 1) * 2));
    out.U8(type);
    out.U8(Cfb::BlackColour);
    out.U32(leftSibling);
    out.U32(rightSibling);
    out.U32(child);
    out.Fill(0, 16);  // class id
    out.U32(0);       // state bits
    out.Fill(0, 16);  // creation and modification times
    out.U32(start);
    out.U32(size);
    out.U32(0);  // high half of the size, always zero in version 3
}

bool NameSortsBefore(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void LinkChildren(std::vector<DirectoryEntry>& entries, std::uint32_t storage,
                  const std::vector<std::uint32_t>& children) {
    for (std::uint32_t index : children) {
        entries[index].leftSibling = Cfb::NoEntry;
        entries[index].rightSibling = Cfb::NoEntry;
    }
    if (children.empty()) {
        entries[storage].child = Cfb::NoEntry;
        return;
    }
    const std::size_t middle = children.size() / 2;
    entries[storage].child = children[middle];
    for (std::size_t i = middle; i > 0; --i) entries[children[i]].leftSibling = children[i - 1];
    for (std::size_t i = middle; i + 1 < children.size(); ++i) entries[children[i]].rightSibling = children[i + 1];
}

}  // namespace YExcel
