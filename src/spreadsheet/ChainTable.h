// An allocation table of a compound file: entry n tells which sector follows
// sector n in its chain. Serves the regular table and the mini table alike;
// it grows in steps of one table sector (128 entries).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/CompoundFileFormat.h"

namespace YExcel {

class ChainTable {
public:
    // Empty table or table of `entries` free entries.
    void Reset(std::size_t entries);
    void Extend();  // one more table sector's worth of free entries

    std::size_t Size() const { return entries_.size(); }
    std::uint32_t Get(std::uint32_t sector) const { return entries_[sector]; }
    void Set(std::uint32_t sector, std::uint32_t value);

    // The lowest free entry, if any.
    std::optional<std::uint32_t> FirstFree();

    // The sectors of the chain from `start`, in order. A chain that leaves the
    // table or runs in a circle ends where it goes wrong.
    std::vector<std::uint32_t> Chain(std::uint32_t start) const;

    // One past the highest entry in use; 0 when all are free.
    std::size_t UsedExtent() const;

    // Entries [first, first + count) as little-endian bytes.
    void AppendEntries(ByteBuffer& out, std::size_t first, std::size_t count) const;

private:
    std::vector<std::uint32_t> entries_;
    std::size_t freeHint_ = 0;  // no free entry lies below this one
};

// Makes the chain from `start` exactly `count` sectors long: keeps its first
// sectors in order, frees a surplus tail, or appends sectors from
// `takeFree()` (which must return a free sector). Updates `start` when the
// chain becomes empty or was empty, and returns the chain.
template <typename TakeFree>
std::vector<std::uint32_t> ResizeChain(ChainTable& table, std::uint32_t& start, std::size_t count,
                                       TakeFree takeFree) {
    std::vector<std::uint32_t> chain = start == Cfb::EndOfChain ? std::vector<std::uint32_t>{} : table.Chain(start);
    if (chain.size() > count) {
        for (std::size_t i = count; i < chain.size(); ++i) table.Set(chain[i], Cfb::FreeSector);
        chain.resize(count);
        if (count == 0) {
            start = Cfb::EndOfChain;
        } else {
            table.Set(chain.back(), Cfb::EndOfChain);
        }
    }
    while (chain.size() < count) {
        const std::uint32_t sector = takeFree();
        table.Set(sector, Cfb::EndOfChain);
        if (chain.empty()) {
            start = sector;
        } else {
            table.Set(chain.back(), sector);
        }
        chain.push_back(sector);
    }
    return chain;
}

}  // namespace YExcel
