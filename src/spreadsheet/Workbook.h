// The translators' workbook: an Excel 97-2003 (BIFF8) workbook of worksheets,
// saved as the stream "Workbook" of a compound file.
//
//   YExcel::Workbook book;                       // already holds Sheet1, Sheet2
//   YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
//   sheet->Cell(0, 0)->SetWString(u"ID");
//   sheet->Cell(1, 0)->SetInteger(1000);
//   if (!book.SaveAs(fileName)) { /* nothing usable was written */ }
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/Worksheet.h"

namespace YExcel {

class Workbook {
public:
    // A new workbook, as New() builds it.
    Workbook();

    // Discards everything and builds the default workbook: the worksheets
    // "Sheet1" and "Sheet2" (the fixed fonts, formats and styles are written
    // at save time). Earlier worksheet and cell pointers become invalid.
    void New();

    // The worksheet with this name; nullptr when there is none.
    Worksheet* GetWorksheet(const std::string& name);
    const std::vector<Worksheet>& Worksheets() const { return sheets_; }

    // Creates (or truncates) the compound file and writes the workbook into
    // its stream "Workbook". False when the file cannot be created or written
    // completely; a file that was opened is then removed again, so no broken
    // workbook is left behind.
    bool SaveAs(const std::u16string& fileName) const;

private:
    std::vector<Worksheet> sheets_;
};

}  // namespace YExcel
