#include "spreadsheet/Workbook.h"

#include <gtest/gtest.h>

#include "CompoundFileReader.h"
#include "TestFiles.h"
#include "spreadsheet/WorkbookStream.h"

namespace {

using YExcel::Cell;
using YExcel::Workbook;
using namespace YExcelTest;

TEST(Workbook, NewHoldsTwoEmptySheets) {
    Workbook book;
    book.GetWorksheet("Sheet1")->Cell(3, 3)->SetInteger(7);
    book.New();
    ASSERT_EQ(book.Worksheets().size(), 2u);
    EXPECT_EQ(book.Worksheets()[0].GetName(), "Sheet1");
    EXPECT_EQ(book.Worksheets()[1].GetName(), "Sheet2");
    EXPECT_TRUE(book.Worksheets()[0].Cells().empty());
    EXPECT_EQ(book.GetWorksheet("Sheet3"), nullptr);
    EXPECT_EQ(book.GetWorksheet("sheet1"), nullptr);
}

TEST(Workbook, CellsInsideTheGridOnly) {
    Workbook book;
    YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
    EXPECT_EQ(sheet->Cell(65536, 0), nullptr);
    EXPECT_EQ(sheet->Cell(0, 256), nullptr);
    EXPECT_EQ(sheet->Cell(static_cast<std::uint32_t>(-1), 0), nullptr);
    EXPECT_EQ(sheet->RowCount(), 0u);
    ASSERT_NE(sheet->Cell(65535, 255), nullptr);
    EXPECT_EQ(sheet->RowCount(), 65536u);
    EXPECT_EQ(sheet->ColumnCount(), 256u);
    EXPECT_EQ(sheet->Cell(2, 2), sheet->Cell(2, 2));
}

TEST(Workbook, CellValues) {
    Cell cell;
    EXPECT_TRUE(cell.IsEmpty());
    cell.SetInteger(-5);
    EXPECT_EQ(cell.GetKind(), Cell::Kind::Integer);
    EXPECT_EQ(cell.GetInteger(), -5);
    EXPECT_TRUE(cell.SetWString(std::u16string(Cell::MaxTextLength, u'\u65e5')));
    EXPECT_EQ(cell.GetKind(), Cell::Kind::WString);
    EXPECT_EQ(cell.GetInteger(), 0);
    EXPECT_FALSE(cell.SetWString(std::u16string(Cell::MaxTextLength + 1, u'a')));
    EXPECT_EQ(cell.GetWString().size(), Cell::MaxTextLength) << "a refused text leaves the cell as it was";
    EXPECT_TRUE(cell.SetWString(u""));
    EXPECT_EQ(cell.GetKind(), Cell::Kind::WString);
}

TEST(Workbook, SaveAsWritesTheStreamIntoTheContainer) {
    ScratchFolder folder;
    Workbook book;
    YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
    sheet->Cell(0, 0)->SetWString(u"ID");
    for (std::uint32_t r = 1; r < 126; ++r) {
        sheet->Cell(r, 0)->SetInteger(static_cast<std::int32_t>(r));
        sheet->Cell(r, 6)->SetWString(u"\u65e5\u672c\u8a9e " + std::u16string(r, u'a'));
    }
    // Saving over an older, longer file leaves none of it behind.
    std::filesystem::path path = folder.Path("book.xls");
    { std::ofstream(path, std::ios::binary) << std::string(500000, 'z'); }
    ASSERT_TRUE(book.SaveAs(path.u16string()));

    CompoundFileReader reader(ReadFile(path));
    ASSERT_TRUE(reader.problems.empty()) << reader.problems.front();
    const auto stream = YExcel::BuildWorkbookStream(book.Worksheets());
    EXPECT_EQ(reader.Stream(u"Workbook"), stream);
    EXPECT_EQ(reader.File().size(), (2 + (stream.size() + 511) / 512 + (stream.size() > 126 * 512 ? 1 : 0) + 1) * 512);
}

// Small workbooks go to the mini stream, where readers expect them.
TEST(Workbook, SaveAsSmallWorkbook) {
    ScratchFolder folder;
    Workbook book;
    ASSERT_TRUE(book.SaveAs(folder.File("small.xls")));
    CompoundFileReader reader(ReadFile(folder.Path("small.xls")));
    ASSERT_TRUE(reader.problems.empty()) << reader.problems.front();
    EXPECT_EQ(reader.Stream(u"Workbook"), YExcel::BuildWorkbookStream(book.Worksheets()));
}

// File names are UTF-16 all the way to the file system.
TEST(Workbook, SaveAsUnicodeFileName) {
    ScratchFolder folder;
    const std::filesystem::path path = folder.Path("x").parent_path() / std::filesystem::path(u"\u7ffb\u8a33 \u00fcbersetzung.xls");
    ASSERT_TRUE(Workbook().SaveAs(path.u16string()));
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(Workbook, SaveAsFailsCleanlyWhereNoFileCanBeMade) {
    ScratchFolder folder;
    Workbook book;
    EXPECT_FALSE(book.SaveAs(folder.File("no-such-folder/book.xls")));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("no-such-folder")));
    std::filesystem::create_directories(folder.Path("a-folder"));
    EXPECT_FALSE(book.SaveAs(folder.File("a-folder")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("a-folder")));
    EXPECT_FALSE(book.SaveAs(u""));
}

}  // namespace
