// Record codes and limits of the BIFF8 workbook stream.
#pragma once

#include <cstddef>
#include <cstdint>

namespace YExcel {
namespace Biff {

constexpr std::uint16_t Bof = 0x0809;
constexpr std::uint16_t Eof = 0x000A;
constexpr std::uint16_t Window1 = 0x003D;
constexpr std::uint16_t Font = 0x0031;
constexpr std::uint16_t Xf = 0x00E0;
constexpr std::uint16_t Style = 0x0293;
constexpr std::uint16_t BoundSheet = 0x0085;
constexpr std::uint16_t Sst = 0x00FC;
constexpr std::uint16_t Continue = 0x003C;
constexpr std::uint16_t Index = 0x020B;
constexpr std::uint16_t Dimensions = 0x0200;
constexpr std::uint16_t Row = 0x0208;
constexpr std::uint16_t LabelSst = 0x00FD;
constexpr std::uint16_t Rk = 0x027E;
constexpr std::uint16_t Number = 0x0203;
constexpr std::uint16_t DbCell = 0x00D7;
constexpr std::uint16_t Window2 = 0x023E;

// The most data one record carries; longer data goes on in CONTINUE records.
constexpr std::size_t MaxRecordData = 8224;
constexpr std::size_t RecordHeaderSize = 4;

constexpr std::uint16_t BofWorkbookGlobals = 0x0005;
constexpr std::uint16_t BofWorksheet = 0x0010;

constexpr std::size_t RowsPerBlock = 32;

}  // namespace Biff
}  // namespace YExcel
