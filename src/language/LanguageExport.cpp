#include <cstdint>
#include <iterator>

#include "language/AsLanguage_Manager.h"
#include "spreadsheet/Workbook.h"

namespace {

struct ExportColumn {
    LanguageId language;
    const char16_t* header;
};

// Columns 1 to 6, in the order the tables lie in memory.
constexpr ExportColumn kColumns[] = {
    {Language::English, u"English"}, {Language::German, u"German"},   {Language::French, u"French"},
    {Language::Italian, u"Italian"}, {Language::Spanish, u"Spanish"}, {Language::Japanese, u"Japanese"},
};

}  // namespace

bool AsLanguage_Manager::Export_Workbook(const std::u16string& fileName) const {
    YExcel::Workbook book;
    YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
    if (!sheet) return false;

    sheet->Cell(0, 0)->SetWString(u"ID");
    for (std::uint32_t column = 1; column <= std::size(kColumns); ++column)
        sheet->Cell(0, column)->SetWString(kColumns[column - 1].header);

    // Every table position gets its own row below the header, position 0
    // included: position p is row p + 1.
    if (tables_.Count() > 0) {
        const ALang_Table& ids = *tables_[0]->table;
        for (int position = 0; position < kLangItemCount; ++position) {
            const std::uint32_t row = static_cast<std::uint32_t>(position) + 1;
            sheet->Cell(row, 0)->SetInteger(ids[position].id);
            for (std::uint32_t column = 1; column <= std::size(kColumns); ++column) {
                const ALang_Resource* resource = nullptr;
                if (Find_Resource(kColumns[column - 1].language, resource))
                    sheet->Cell(row, column)->SetWString((*resource->table)[position].text);
            }
        }
    }
    return book.SaveAs(fileName);
}
