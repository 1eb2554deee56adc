#include "spreadsheet/WorkbookStream.h"

#include <cstring>
#include <map>

#include <gtest/gtest.h>

#include "RecordList.h"
#include "spreadsheet/Workbook.h"

namespace {

using YExcel::BuildWorkbookStream;
using YExcel::Workbook;
using namespace YExcelTest;

using Bytes = std::vector<std::uint8_t>;

const std::u16string kLanguages[] = {u"English", u"German", u"French", u"Italian", u"Spanish", u"Japanese"};

// The translators' table: a header row and 125 rows of an id and six texts,
// with a text that repeats in every row.
Workbook ExportLikeWorkbook() {
    Workbook book;
    YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
    sheet->Cell(0, 0)->SetWString(u"ID");
    for (int c = 0; c < 6; ++c) sheet->Cell(0, c + 1)->SetWString(kLanguages[c]);
    for (std::uint32_t r = 1; r < 126; ++r) {
        sheet->Cell(r, 0)->SetInteger(static_cast<std::int32_t>(1000 + r));
        for (std::uint32_t c = 1; c < 6; ++c) sheet->Cell(r, c)->SetWString(kLanguages[c - 1] + u" " + std::u16string(r % 40, u'x'));
        sheet->Cell(r, 6)->SetWString(u"\u30d5\u30a1\u30a4\u30eb");
    }
    return book;
}

struct ParsedStream {
    Bytes stream;
    std::vector<Record> records;
    std::map<std::size_t, std::size_t> byOffset;  // record offset -> index

    explicit ParsedStream(const Workbook& book) : stream(BuildWorkbookStream(book.Worksheets())) {
        records = SplitRecords(stream);
        for (std::size_t i = 0; i < records.size(); ++i) byOffset[records[i].offset] = i;
    }
    const Record& At(std::size_t offset) const { return records.at(byOffset.at(offset)); }
    std::size_t IndexOf(std::size_t offset) const { return byOffset.at(offset); }
};

Bytes Le(std::initializer_list<std::pair<std::uint32_t, int>> fields) {
    Bytes bytes;
    for (const auto& [value, size] : fields) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    return bytes;
}

TEST(WorkbookStream, GlobalsOfANewWorkbook) {
    const ParsedStream parsed{Workbook()};
    const auto& records = parsed.records;
    ASSERT_FALSE(records.empty());

    std::vector<std::uint16_t> expectedCodes{0x0809, 0x003D};
    expectedCodes.insert(expectedCodes.end(), 4, 0x0031);
    expectedCodes.insert(expectedCodes.end(), 21, 0x00E0);
    expectedCodes.insert(expectedCodes.end(), 6, 0x0293);
    expectedCodes.insert(expectedCodes.end(), {0x0085, 0x0085, 0x00FC, 0x000A});
    ASSERT_GE(records.size(), expectedCodes.size());
    for (std::size_t i = 0; i < expectedCodes.size(); ++i) EXPECT_EQ(records[i].code, expectedCodes[i]) << "record " << i;

    const Bytes font = [] {
        Bytes b = Le({{200, 2}, {0, 2}, {0x7FFF, 2}, {400, 2}, {0, 2}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {5, 1}, {1, 1}});
        for (char c : std::string("Arial")) b.insert(b.end(), {static_cast<std::uint8_t>(c), 0});
        return b;
    }();
    const struct {
        std::size_t index;
        Bytes data;
    } fixed[] = {
        {0, Le({{0x0600, 2}, {0x0005, 2}, {0x19A0, 2}, {0x07CD, 2}, {0xC0C9, 4}, {0x0306, 4}})},
        {1, Le({{0x78, 2}, {0x78, 2}, {0x3B1F, 2}, {0x2454, 2}, {0x38, 2}, {0, 2}, {0, 2}, {1, 2}, {600, 2}})},
        {2, font},
        {5, font},
        {6, Le({{0, 2}, {0, 2}, {0xFFF5, 2}, {0x20, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 4}, {0, 4}, {0x20C0, 2}})},
        {26, Le({{0, 2}, {0, 2}, {0xFFF5, 2}, {0x20, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 4}, {0, 4}, {0x20C0, 2}})},
        {27, Le({{0x8000, 2}, {0, 1}, {0xFF, 1}})},
        {32, Le({{0x8000, 2}, {0, 1}, {0xFF, 1}})},
        {35, Le({{0, 4}, {0, 4}})},
        {36, {}},
    };
    for (const auto& f : fixed) EXPECT_EQ(records[f.index].data, f.data) << "record " << f.index;

    // Each BOUNDSHEET points at the BOF of its worksheet.
    const char* names[] = {"Sheet1", "Sheet2"};
    for (std::size_t i = 0; i < 2; ++i) {
        const Bytes& data = records[33 + i].data;
        ASSERT_EQ(data.size(), 14u);
        const Bytes tail(data.begin() + 4, data.end());
        Bytes expected{0, 0, 6, 0};
        expected.insert(expected.end(), names[i], names[i] + 6);
        EXPECT_EQ(tail, expected);
        const Record& bof = parsed.At(U32At(data, 0));
        EXPECT_EQ(bof.code, 0x0809);
        EXPECT_EQ(U16At(bof.data, 2), 0x0010);
    }
}

TEST(WorkbookStream, EmptyWorksheetRecords) {
    const ParsedStream parsed{Workbook()};
    const std::size_t first = parsed.IndexOf(U32At(parsed.records[34].data, 0));  // Sheet2
    const std::vector<std::pair<std::uint16_t, Bytes>> expected{
        {0x0809, Le({{0x0600, 2}, {0x0010, 2}, {0x19A0, 2}, {0x07CD, 2}, {0xC0C9, 4}, {0x0306, 4}})},
        {0x020B, Bytes(20, 0)},
        {0x0200, Bytes(14, 0)},
        {0x023E, Le({{0x04B6, 2}, {0, 2}, {0, 2}, {64, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 4}})},
        {0x000A, {}},
    };
    ASSERT_EQ(parsed.records.size(), first + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(parsed.records[first + i].code, expected[i].first) << "record " << i;
        EXPECT_EQ(parsed.records[first + i].data, expected[i].second) << "record " << i;
    }
}

// Follows INDEX to each DBCELL and the DBCELL's offsets to each row's first
// cell, as a reader seeking a row does.
TEST(WorkbookStream, ExportSheetBlocksAndIndex) {
    const ParsedStream parsed{ExportLikeWorkbook()};
    const std::size_t sheetStart = parsed.IndexOf(U32At(parsed.records[33].data, 0));
    const Record& index = parsed.records.at(sheetStart + 1);
    ASSERT_EQ(index.code, 0x020B);
    ASSERT_EQ(index.data.size(), 16u + 4 * 4);
    EXPECT_EQ(Bytes(index.data.begin(), index.data.begin() + 16), Le({{0, 4}, {0, 4}, {126, 4}, {0, 4}}));
    EXPECT_EQ(parsed.records.at(sheetStart + 2).data, Le({{0, 4}, {126, 4}, {0, 2}, {7, 2}, {0, 2}}));
    EXPECT_EQ(parsed.records.at(sheetStart + 3).offset, parsed.records.at(sheetStart + 2).offset + 18);

    const std::uint32_t rowsInBlock[] = {32, 32, 32, 30};
    std::size_t expectedBlockStart = parsed.records.at(sheetStart + 3).offset;
    for (std::uint32_t block = 0; block < 4; ++block) {
        SCOPED_TRACE(block);
        const std::size_t dbCellOffset = U32At(index.data, 16 + 4 * block);
        const Record& dbCell = parsed.At(dbCellOffset);
        ASSERT_EQ(dbCell.code, 0x00D7);
        ASSERT_EQ(dbCell.data.size(), 4 + 2 * rowsInBlock[block]);
        const std::size_t firstRow = dbCellOffset - U32At(dbCell.data, 0);
        EXPECT_EQ(firstRow, expectedBlockStart);
        for (std::uint32_t r = 0; r < rowsInBlock[block]; ++r) {
            const Record& row = parsed.At(firstRow + 20 * r);
            EXPECT_EQ(row.code, 0x0208);
            EXPECT_EQ(row.data, Le({{block * 32 + r, 2}, {0, 2}, {7, 2}, {0xFF, 2}, {0, 2}, {0, 2}, {0, 4}}));
        }
        std::size_t cell = firstRow + 20;
        for (std::uint32_t r = 0; r < rowsInBlock[block]; ++r) {
            cell += U16At(dbCell.data, 4 + 2 * r);
            const Record& first = parsed.At(cell);
            EXPECT_EQ(U16At(first.data, 0), block * 32 + r) << "row " << r;
            EXPECT_EQ(U16At(first.data, 2), 0) << "row " << r;
            EXPECT_EQ(first.code, block == 0 && r == 0 ? 0x00FD : 0x027E) << "row " << r;
        }
        expectedBlockStart = dbCellOffset + 4 + dbCell.data.size();
    }
    // WINDOW2 of the first sheet marks it selected.
    EXPECT_EQ(parsed.At(expectedBlockStart).code, 0x023E);
    EXPECT_EQ(U16At(parsed.At(expectedBlockStart).data, 0), 0x06B6);
}

TEST(WorkbookStream, SharedStringsCountEveryCellOnce) {
    const ParsedStream parsed{ExportLikeWorkbook()};
    const SharedStrings strings = ReadSharedStrings(parsed.records, 35);
    EXPECT_TRUE(strings.problems.empty()) << strings.problems.front();
    EXPECT_EQ(strings.total, 7u + 125 * 6);
    EXPECT_EQ(strings.strings.size(), 7u + 5 * 40 + 1);
    EXPECT_EQ(strings.strings.at(0), u"ID");

    // Every LABELSST names the text of its cell.
    for (const Record& record : parsed.records) {
        if (record.code != 0x00FD) continue;
        const std::uint32_t row = U16At(record.data, 0);
        const std::uint32_t column = U16At(record.data, 2);
        const std::u16string& text = strings.strings.at(U32At(record.data, 6));
        if (row == 0) {
            EXPECT_EQ(text, column == 0 ? u"ID" : kLanguages[column - 1]);
        } else if (column == 6) {
            EXPECT_EQ(text, u"\u30d5\u30a1\u30a4\u30eb");
        } else {
            EXPECT_EQ(text, kLanguages[column - 1] + u" " + std::u16string(row % 40, u'x'));
        }
    }
}

// Integers that fit 30 bits become RK values; the rest keep their value as a
// NUMBER record.
TEST(WorkbookStream, IntegerCells) {
    const struct {
        std::int32_t value;
        std::uint16_t code;
    } cases[] = {
        {0, 0x027E},          {1, 0x027E},          {-1, 0x027E},         {1179, 0x027E},
        {536870911, 0x027E},  {-536870912, 0x027E}, {536870912, 0x0203}, {-536870913, 0x0203},
        {2147483647, 0x0203}, {-2147483647 - 1, 0x0203},
    };
    Workbook book;
    for (std::uint32_t i = 0; i < std::size(cases); ++i) book.GetWorksheet("Sheet1")->Cell(i, 1)->SetInteger(cases[i].value);
    const ParsedStream parsed{book};
    std::uint32_t seen = 0;
    for (const Record& record : parsed.records) {
        if (record.code != 0x027E && record.code != 0x0203) continue;
        const auto& c = cases[U16At(record.data, 0)];
        SCOPED_TRACE(c.value);
        EXPECT_EQ(record.code, c.code);
        EXPECT_EQ(U16At(record.data, 2), 1);
        EXPECT_EQ(U16At(record.data, 4), 0);
        if (record.code == 0x027E) {
            const std::uint32_t rk = U32At(record.data, 6);
            EXPECT_EQ(rk & 3u, 2u);
            EXPECT_EQ(static_cast<std::int32_t>(rk) >> 2, c.value);
        } else {
            double number = 0;
            ASSERT_EQ(record.data.size(), 14u);
            std::memcpy(&number, record.data.data() + 6, sizeof number);
            EXPECT_EQ(number, c.value);
        }
        ++seen;
    }
    EXPECT_EQ(seen, std::size(cases));
}

// INDEX covers the blocks from the first used row's to the last row's; blocks
// without rows keep position 0. Empty addressed cells write nothing.
TEST(WorkbookStream, IndexOfSheetsWithGaps) {
    const struct {
        std::vector<std::uint32_t> rows;
        std::vector<bool> blocksPresent;
    } cases[] = {
        {{40, 70, 100}, {true, true, true}},
        {{0, 100}, {true, false, false, true}},
        {{33}, {true}},
        {{65535}, {true}},
    };
    for (const auto& c : cases) {
        Workbook book;
        YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
        for (std::uint32_t row : c.rows) sheet->Cell(row, 3)->SetInteger(static_cast<std::int32_t>(row));
        sheet->Cell(c.rows.front(), 9);  // addressed, never set
        const ParsedStream parsed{book};
        const std::size_t sheetStart = parsed.IndexOf(U32At(parsed.records[33].data, 0));
        const Record& index = parsed.records.at(sheetStart + 1);
        const Record& dimensions = parsed.records.at(sheetStart + 2);
        SCOPED_TRACE(c.rows.back());
        EXPECT_EQ(U32At(index.data, 4), c.rows.front());
        EXPECT_EQ(U32At(index.data, 8), c.rows.back() + 1);
        EXPECT_EQ(dimensions.data, Le({{c.rows.front(), 4}, {c.rows.back() + 1, 4}, {3, 2}, {10, 2}, {0, 2}}));
        ASSERT_EQ(index.data.size(), 16 + 4 * c.blocksPresent.size());
        std::size_t dbCells = 0;
        for (std::size_t b = 0; b < c.blocksPresent.size(); ++b) {
            const std::uint32_t position = U32At(index.data, 16 + 4 * b);
            if (!c.blocksPresent[b]) {
                EXPECT_EQ(position, 0u) << "block " << b;
                continue;
            }
            EXPECT_EQ(parsed.At(position).code, 0x00D7) << "block " << b;
            ++dbCells;
        }
        std::size_t rowRecords = 0, cellRecords = 0, allDbCells = 0;
        for (const Record& record : parsed.records) {
            rowRecords += record.code == 0x0208;
            cellRecords += record.code == 0x027E;
            allDbCells += record.code == 0x00D7;
        }
        EXPECT_EQ(rowRecords, c.rows.size());
        EXPECT_EQ(cellRecords, c.rows.size());
        EXPECT_EQ(allDbCells, dbCells);
    }
}

}  // namespace
