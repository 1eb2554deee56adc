// The bytes of the "Workbook" stream: the workbook globals, then each
// worksheet in order.
#pragma once

#include <cstdint>
#include <vector>

#include "spreadsheet/Worksheet.h"

namespace YExcel {

std::vector<std::uint8_t> BuildWorkbookStream(const std::vector<Worksheet>& sheets);

}  // namespace YExcel
