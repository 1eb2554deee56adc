// A named worksheet: a sparse grid of cells, rows 0 to 65535 and columns 0 to
// 255. The grid grows to the highest row and column addressed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "spreadsheet/Cell.h"

namespace YExcel {

class Worksheet {
public:
    static constexpr std::uint32_t MaxRows = 65536;
    static constexpr std::uint32_t MaxColumns = 256;

    // Cells keyed by (row, column), so iteration runs row by row, each row by
    // ascending column: the order the records are written in.
    using CellMap = std::map<std::pair<std::uint32_t, std::uint32_t>, YExcel::Cell>;

    explicit Worksheet(std::string name);

    // The 8-bit sheet name, as stored in the workbook.
    const std::string& GetName() const { return name_; }

    // The cell at (row, column), created empty and growing the grid when new;
    // nullptr outside the limits. The pointer stays valid as long as the
    // worksheet does.
    YExcel::Cell* Cell(std::uint32_t row, std::uint32_t column);

    // Highest row and column addressed, plus one (0 for an untouched sheet).
    std::uint32_t RowCount() const { return rowCount_; }
    std::uint32_t ColumnCount() const { return columnCount_; }

    const CellMap& Cells() const { return cells_; }

private:
    std::string name_;
    CellMap cells_;
    std::uint32_t rowCount_ = 0;
    std::uint32_t columnCount_ = 0;
};

}  // namespace YExcel
