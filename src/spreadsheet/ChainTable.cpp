#include "spreadsheet/ChainTable.h"

#include <algorithm>

namespace YExcel {

void ChainTable::Reset(std::size_t entries) {
    entries_.assign(entries, Cfb::FreeSector);
    freeHint_ = 0;
}

void ChainTable::Extend() {
    entries_.resize(entries_.size() + Cfb::EntriesPerTableSector, Cfb::FreeSector);
}

void ChainTable::Set(std::uint32_t sector, std::uint32_t value) {
    entries_[sector] = value;
    if (value == Cfb::FreeSector) freeHint_ = std::min<std::size_t>(freeHint_, sector);
}

std::optional<std::uint32_t> ChainTable::FirstFree() {
    while (freeHint_ < entries_.size() && entries_[freeHint_] != Cfb::FreeSector) ++freeHint_;
    if (freeHint_ == entries_.size()) return std::nullopt;
    return static_cast<std::uint32_t>(freeHint_);
}

std::vector<std::uint32_t> ChainTable::Chain(std::uint32_t start) const {
    std::vector<std::uint32_t> chain;
    std::uint32_t sector = start;
    while (sector < entries_.size() && chain.size() < entries_.size()) {
        chain.push_back(sector);
        sector = entries_[sector];
    }
    return chain;
}

std::size_t ChainTable::UsedExtent() const {
    std::size_t extent = entries_.size();
    while (extent > 0 && entries_[extent - 1] == Cfb::FreeSector) --extent;
    return extent;
}

void ChainTable::AppendEntries(ByteBuffer& out, std::size_t first, std::size_t count) const {
    for (std::size_t i = first; i < first + count; ++i) out.U32(i < entries_.size() ? entries_[i] : Cfb::FreeSector);
}

}  // namespace YExcel
