// Constants of the compound file format (version 3, 512-byte sectors).
#pragma once

#include <cstddef>
#include <cstdint>

namespace YExcel {
namespace Cfb {

constexpr std::size_t SectorSize = 512;
constexpr std::size_t MiniSectorSize = 64;
constexpr std::size_t MiniStreamCutoff = 4096;  // smaller streams live in the mini stream
constexpr std::size_t EntriesPerTableSector = SectorSize / 4;
constexpr std::size_t DirectoryEntrySize = 128;
constexpr std::size_t HeaderTableSlots = 109;                   // table sectors named in the header
constexpr std::size_t SlotsPerExtensionSector = EntriesPerTableSector - 1;  // last entry: next one
constexpr std::size_t MaxNameLength = 31;                       // UTF-16 code units, without the NUL

// Allocation table values.
constexpr std::uint32_t FreeSector = 0xFFFFFFFF;
constexpr std::uint32_t EndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t TableSector = 0xFFFFFFFD;
constexpr std::uint32_t ExtensionSector = 0xFFFFFFFC;
constexpr std::uint32_t NoEntry = 0xFFFFFFFF;

constexpr std::uint8_t RootStorageType = 5;
constexpr std::uint8_t StreamType = 2;
constexpr std::uint8_t BlackColour = 1;

}  // namespace Cfb
}  // namespace YExcel
