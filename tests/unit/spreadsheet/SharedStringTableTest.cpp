#include "spreadsheet/SharedStringTable.h"

#include <gtest/gtest.h>

#include "RecordList.h"
#include "spreadsheet/Cell.h"

namespace {

using YExcel::RecordStream;
using YExcel::SharedStringTable;
using namespace YExcelTest;

constexpr std::size_t kMaxData = 8224;

// Fillers that leave exactly `room` bytes in the SST record for what follows.
std::vector<std::u16string> FillersLeaving(std::size_t room) {
    const std::size_t used = kMaxData - 8 - room;  // after the two counts
    if (used % 2 == 1) return {std::u16string((used - 3) / 2, u'a')};
    return {std::u16string(100, u'a'), std::u16string((used - 6) / 2 - 100, u'b')};
}

std::vector<Record> WriteTable(const std::vector<std::u16string>& strings) {
    SharedStringTable table;
    for (const auto& text : strings) table.Add(text);
    RecordStream out;
    table.Write(out);
    return SplitRecords(out.Bytes());
}

TEST(SharedStringTable, SameTextSharesOneIndexButCountsEveryCell) {
    SharedStringTable table;
    EXPECT_EQ(table.Add(u"Open"), 0u);
    EXPECT_EQ(table.Add(u"Close"), 1u);
    EXPECT_EQ(table.Add(u"Open"), 0u);
    EXPECT_EQ(table.Add(u""), 2u);
    EXPECT_EQ(table.Add(u"open"), 3u);
    EXPECT_EQ(table.TotalCount(), 5u);
    EXPECT_EQ(table.Strings().size(), 4u);
    EXPECT_EQ(table.IndexOf(u"Close"), 1u);

    const auto records = WriteTable({u"Open", u"", u"\u958b\u304f"});
    ASSERT_EQ(records.size(), 1u);
    const std::vector<std::uint8_t> expected{3, 0, 0, 0, 3, 0, 0, 0,          // counts
                                             4, 0, 1, 'O', 0, 'p', 0, 'e', 0, 'n', 0,  //
                                             0, 0, 1,                                  // empty text
                                             2, 0, 1, 0x8b, 0x95, 0x4f, 0x30};
    EXPECT_EQ(records[0].code, 0x00FC);
    EXPECT_EQ(records[0].data, expected);
}

// Where a string lands at the end of the SST record, and how the CONTINUE
// record after it begins.
TEST(SharedStringTable, StringsAtTheRecordBoundary) {
    const std::u16string eight = u"abcdefgh";
    const std::u16string pairAtFive = u"abcd\U0001F600xyz";  // units 5 and 6 form one character
    const std::u16string pairAtFour = u"abc\U0001F600xyz";
    struct Case {
        const char* what;
        std::size_t room;
        std::u16string text;
        std::size_t sstData;
        std::vector<std::uint8_t> continueStart;  // empty: no CONTINUE
    };
    const Case cases[] = {
        {"fits exactly", 19, eight, kMaxData, {}},
        {"too little room: starts afresh", 11, eight, kMaxData - 11, {8, 0, 1, 'a', 0}},
        {"just enough room to split", 12, eight, kMaxData - 1, {1, 'e', 0, 'f', 0}},
        {"odd room: ends one byte early", 14, eight, kMaxData - 1, {1, 'f', 0}},
        {"split after whole characters", 13, eight, kMaxData, {1, 'f', 0, 'g', 0}},
        {"surrogate pair moves on whole", 13, pairAtFive, kMaxData - 2, {1, 0x3D, 0xD8, 0x00, 0xDE}},
        {"surrogate pair at the minimum split", 12, pairAtFour, kMaxData - 3, {1, 0x3D, 0xD8, 0x00, 0xDE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto strings = FillersLeaving(c.room);
        strings.push_back(c.text);
        strings.push_back(u"next");
        const auto records = WriteTable(strings);
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records[0].data.size(), c.sstData);
        if (c.continueStart.empty()) {
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[1].data, (std::vector<std::uint8_t>{4, 0, 1, 'n', 0, 'e', 0, 'x', 0, 't', 0}));
        } else {
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[1].code, 0x003C);
            const auto& data = records[1].data;
            EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.begin() + c.continueStart.size()), c.continueStart);
        }
        const SharedStrings read = ReadSharedStrings(records, 0);
        EXPECT_TRUE(read.problems.empty()) << read.problems.front();
        EXPECT_EQ(read.strings, strings);
    }
}

// Texts up to the cell limit run through as many CONTINUE records as they
// need, each full one carrying 4111 characters after its flags byte.
TEST(SharedStringTable, LongTextsSpanSeveralRecords) {
    std::u16string longest;
    for (std::size_t i = 0; longest.size() < YExcel::Cell::MaxTextLength; ++i) {
        longest += i % 7 == 6 && longest.size() + 2 <= YExcel::Cell::MaxTextLength ? u"\U00020BB7" : u"\u65e5";
    }
    longest.resize(YExcel::Cell::MaxTextLength, u'x');
    const std::vector<std::vector<std::u16string>> tables{
        {std::u16string(5000, u'a'), std::u16string(9000, u'b'), u"tail"},
        {FillersLeaving(5)[0], std::u16string(20000, u'c')},  // starts afresh, then splits
        {u"head", longest, u"\u3042"},
    };
    for (const auto& strings : tables) {
        const auto records = WriteTable(strings);
        ASSERT_GT(records.size(), 1u);
        for (std::size_t i = 1; i < records.size(); ++i) {
            EXPECT_EQ(records[i].code, 0x003C);
            EXPECT_LE(records[i].data.size(), kMaxData);
        }
        const SharedStrings read = ReadSharedStrings(records, 0);
        EXPECT_TRUE(read.problems.empty()) << read.problems.front();
        EXPECT_EQ(read.strings, strings);
    }
    const auto records = WriteTable({FillersLeaving(5)[0], std::u16string(20000, u'c')});
    // 20000 characters: 4110 after the header, then 4111 per record.
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[1].data.size(), kMaxData - 1);
    EXPECT_EQ((std::vector<std::uint8_t>(records[1].data.begin(), records[1].data.begin() + 3)),
              (std::vector<std::uint8_t>{0x20, 0x4E, 1}));
    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(records[i].data.size(), kMaxData - 1);
        EXPECT_EQ(records[i].data[0], 1);
    }
    EXPECT_EQ(records[5].data.size(), 1 + 2 * (20000u - 4110 - 3 * 4111));
}

}  // namespace
