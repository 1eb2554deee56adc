#include "spreadsheet/Worksheet.h"

#include <algorithm>
#include <utility>

namespace YExcel {

Worksheet::Worksheet(std::string name) : name_(std::move(name)) {}

YExcel::Cell* Worksheet::Cell(std::uint32_t row, std::uint32_t column) {
    if (row >= MaxRows || column >= MaxColumns) return nullptr;
    rowCount_ = std::max(rowCount_, row + 1);
    columnCount_ = std::max(columnCount_, column + 1);
    return &cells_[{row, column}];
}

}  // namespace YExcel
