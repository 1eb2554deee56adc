#include "spreadsheet/WorksheetRecords.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace YExcel {
namespace {

constexpr std::size_t kRowRecordSize = Biff::RecordHeaderSize + 16;
// An RK value holds a 30-bit signed integer; larger ones go into NUMBER.
constexpr std::int32_t kRkMin = -(1 << 29);
constexpr std::int32_t kRkMax = (1 << 29) - 1;

struct UsedRange {
    bool empty = true;
    std::uint32_t firstRow = 0;
    std::uint32_t firstColumn = 0;
    std::uint32_t rowEnd = 0;     // last row + 1
    std::uint32_t columnEnd = 0;  // last column + 1
};

struct RowCells {
    std::uint32_t row = 0;
    std::vector<std::pair<std::uint32_t, const Cell*>> cells;  // column, cell
};

UsedRange FindUsedRange(const Worksheet& sheet) {
    UsedRange range;
    for (const auto& [position, cell] : sheet.Cells()) {
        if (cell.IsEmpty()) continue;
        if (range.empty) {
            range.empty = false;
            range.firstRow = position.first;
            range.firstColumn = position.second;
        }
        range.firstColumn = std::min(range.firstColumn, position.second);
    }
    if (!range.empty) {
        range.rowEnd = sheet.RowCount();
        range.columnEnd = sheet.ColumnCount();
    }
    return range;
}

void WriteCell(RecordStream& out, std::uint32_t row, std::uint32_t column, const Cell& cell,
               const SharedStringTable& strings) {
    const std::int32_t value = cell.GetInteger();
    if (cell.GetKind() == Cell::Kind::WString) {
        out.BeginRecord(Biff::LabelSst);
    } else if (value >= kRkMin && value <= kRkMax) {
        out.BeginRecord(Biff::Rk);
    } else {
        out.BeginRecord(Biff::Number);
    }
    out.U16(static_cast<std::uint16_t>(row));
    out.U16(static_cast<std::uint16_t>(column));
    out.U16(0);  // cell format
    if (cell.GetKind() == Cell::Kind::WString) {
        out.U32(strings.IndexOf(cell.GetWString()));
    } else if (value >= kRkMin && value <= kRkMax) {
        out.U32((static_cast<std::uint32_t>(value) << 2) | 0x2);  // bit 1: integer, bit 0: not divided by 100
    } else {
        const double number = value;
        std::uint64_t bits = 0;
        std::memcpy(&bits, &number, sizeof bits);
        out.U64(bits);
    }
    out.EndRecord();
}

// Writes one block and returns the stream offset of its DBCELL.
std::size_t WriteBlock(RecordStream& out, const std::vector<RowCells>& rows, std::uint32_t columnEnd,
                       const SharedStringTable& strings) {
    const std::size_t blockStart = out.Size();
    for (const RowCells& row : rows) {
        out.BeginRecord(Biff::Row);
        out.U16(static_cast<std::uint16_t>(row.row));
        out.U16(0);  // first column
        out.U16(static_cast<std::uint16_t>(columnEnd));
        out.U16(0x00FF);  // height
        out.U16(0);
        out.U16(0);
        out.U32(0);  // options
        out.EndRecord();
    }
    // The first offset leads from the second ROW record to the first cell;
    // each further one from a row's first cell to the next row's.
    std::vector<std::size_t> offsets{rows.size() * kRowRecordSize - kRowRecordSize};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t cellsStart = out.Size();
        for (const auto& [column, cell] : rows[i].cells) WriteCell(out, rows[i].row, column, *cell, strings);
        if (i + 1 < rows.size()) offsets.push_back(out.Size() - cellsStart);
    }
    const std::size_t dbCell = out.Size();
    out.BeginRecord(Biff::DbCell);
    out.U32(static_cast<std::uint32_t>(dbCell - blockStart));
    for (std::size_t offset : offsets) out.U16(static_cast<std::uint16_t>(offset));
    out.EndRecord();
    return dbCell;
}

void WriteWindow2(RecordStream& out, bool firstSheet) {
    out.BeginRecord(Biff::Window2);
    out.U16(firstSheet ? 0x06B6 : 0x04B6);  // only the first sheet is selected
    out.U16(0);   // top row
    out.U16(0);   // left column
    out.U16(64);  // grid line colour index
    out.U16(0);
    out.U16(0);  // page break preview zoom
    out.U16(0);  // normal zoom
    out.U32(0);
    out.EndRecord();
}

}  // namespace

void WriteWorksheet(RecordStream& out, const Worksheet& sheet, bool firstSheet, const SharedStringTable& strings) {
    WriteBof(out, Biff::BofWorksheet);
    const UsedRange range = FindUsedRange(sheet);

    // One DBCELL position per block of 32 rows (rows 0-31, 32-63, ...) from the
    // first used row's block to the last row's; blocks without rows keep 0.
    const std::size_t firstBlock = range.firstRow / Biff::RowsPerBlock;
    const std::size_t blockCount = range.empty ? 1 : (range.rowEnd - 1) / Biff::RowsPerBlock - firstBlock + 1;
    out.BeginRecord(Biff::Index);
    out.U32(0);
    out.U32(range.firstRow);
    out.U32(range.rowEnd);
    out.U32(0);  // no DEFCOLWIDTH record
    const std::size_t positionsAt = out.Size();
    out.Fill(0, 4 * blockCount);
    out.EndRecord();

    out.BeginRecord(Biff::Dimensions);
    out.U32(range.firstRow);
    out.U32(range.rowEnd);
    out.U16(static_cast<std::uint16_t>(range.firstColumn));
    out.U16(static_cast<std::uint16_t>(range.columnEnd));
    out.U16(0);
    out.EndRecord();

    std::vector<RowCells> block;
    auto flush = [&] {
        if (block.empty()) return;
        const std::size_t index = block.front().row / Biff::RowsPerBlock - firstBlock;
        out.PatchU32(positionsAt + 4 * index, static_cast<std::uint32_t>(WriteBlock(out, block, range.columnEnd, strings)));
        block.clear();
    };
    for (const auto& [position, cell] : sheet.Cells()) {
        if (cell.IsEmpty()) continue;
        const auto [row, column] = position;
        if (!block.empty() && block.front().row / Biff::RowsPerBlock != row / Biff::RowsPerBlock) flush();
        if (block.empty() || block.back().row != row) block.push_back(RowCells{row, {}});
        block.back().cells.emplace_back(column, &cell);
    }
    flush();

    WriteWindow2(out, firstSheet);
    WriteEof(out);
}

}  // namespace YExcel
