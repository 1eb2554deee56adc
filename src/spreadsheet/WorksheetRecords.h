// The records of one worksheet: BOF, INDEX, DIMENSIONS, the rows and cells in
// blocks of 32 rows each closed by a DBCELL, WINDOW2 and EOF.
#pragma once

#include "spreadsheet/RecordStream.h"
#include "spreadsheet/SharedStringTable.h"
#include "spreadsheet/Worksheet.h"

namespace YExcel {

// `out` holds the workbook stream from its first byte, so that its size is
// the stream offset that INDEX records for each DBCELL. Every text of the
// sheet must already be in `strings`.
void WriteWorksheet(RecordStream& out, const Worksheet& sheet, bool firstSheet, const SharedStringTable& strings);

}  // namespace YExcel
