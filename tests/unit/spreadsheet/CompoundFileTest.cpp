#include "spreadsheet/CompoundFile.h"

#include <gtest/gtest.h>

#include "CompoundFileReader.h"
#include "common/AnsiText.h"
#include "TestFiles.h"

namespace {

using YExcel::CompoundFile;
using namespace YExcelTest;

constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEnd = 0xFFFFFFFE;
constexpr std::uint32_t kTable = 0xFFFFFFFD;

// Writes one stream named "Workbook" and reads the file back.
CompoundFileReader WriteOneStream(const ScratchFolder& folder, const std::vector<std::uint8_t>& data) {
    CompoundFile file;
    EXPECT_TRUE(file.Create(folder.File("book.xls")));
    EXPECT_EQ(file.MakeFile(u"Workbook"), CompoundFile::Success);
    EXPECT_EQ(file.WriteFile(u"Workbook", data.data(), data.size()), CompoundFile::Success);
    EXPECT_TRUE(file.Close());
    return CompoundFileReader(ReadFile(folder.Path("book.xls")));
}

TEST(CompoundFile, EmptyContainerHasHeaderTableAndRootEntry) {
    ScratchFolder folder;
    CompoundFile file;
    ASSERT_TRUE(file.Create(folder.File("empty.xls")));
    ASSERT_TRUE(file.Close());
    const auto bytes = ReadFile(folder.Path("empty.xls"));
    ASSERT_EQ(bytes.size(), 3u * 512);

    const std::vector<std::uint8_t> signature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes.begin()));
    for (std::size_t i = 8; i < 24; ++i) EXPECT_EQ(bytes[i], 0) << "class id byte " << i;
    const std::vector<std::pair<std::size_t, std::uint32_t>> header16{{24, 0x003B}, {26, 3}, {28, 0xFFFE}, {30, 9}};
    for (const auto& [at, value] : header16) EXPECT_EQ(U16At(bytes, at), value) << "header offset " << at;
    const std::vector<std::pair<std::size_t, std::uint32_t>> header32{
        {32, 6}, {36, 0}, {40, 0}, {44, 1}, {48, 1}, {52, 0}, {56, 4096}, {60, kEnd}, {64, 0}, {68, kEnd}, {72, 0}, {76, 0}};
    for (const auto& [at, value] : header32) EXPECT_EQ(U32At(bytes, at), value) << "header offset " << at;
    for (std::size_t slot = 1; slot < 109; ++slot) EXPECT_EQ(U32At(bytes, 76 + 4 * slot), kFree) << "slot " << slot;

    EXPECT_EQ(U32At(bytes, 512), kTable);
    EXPECT_EQ(U32At(bytes, 516), kEnd);
    for (std::size_t i = 2; i < 128; ++i) EXPECT_EQ(U32At(bytes, 512 + 4 * i), kFree) << "entry " << i;

    const std::size_t root = 1024;
    const std::u16string name = u"Root Entry";
    for (std::size_t i = 0; i < 32; ++i) EXPECT_EQ(U16At(bytes, root + 2 * i), i < name.size() ? name[i] : 0);
    EXPECT_EQ(U16At(bytes, root + 64), 22);
    EXPECT_EQ(bytes[root + 66], 5);
    EXPECT_EQ(bytes[root + 67], 1);
    EXPECT_EQ(U32At(bytes, root + 68), kFree);
    EXPECT_EQ(U32At(bytes, root + 72), kFree);
    EXPECT_EQ(U32At(bytes, root + 76), kFree);
    EXPECT_EQ(U32At(bytes, root + 116), kEnd);
    EXPECT_EQ(U32At(bytes, root + 120), 0u);
    for (std::size_t i = root + 128; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << "unused directory byte " << i;
}

// The export's layout: table in 0, directory in 1, the stream from 2 on; a
// second table sector at 128 once the stream needs more than 126 sectors, a
// third at 256.
TEST(CompoundFile, StreamLayoutAroundTheSecondTableSector) {
    struct Case {
        std::size_t size;
        std::uint32_t lastStreamSector;
        std::uint32_t tableSectors;
    };
    const Case cases[] = {
        {4096, 9, 1},
        {126 * 512 - 1, 127, 1},
        {126 * 512, 127, 1},
        {126 * 512 + 1, 129, 2},
        {253 * 512, 255, 2},
        {253 * 512 + 1, 257, 3},
        {300 * 512 + 17, 304, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        ScratchFolder folder;
        const auto data = PatternBytes(c.size);
        CompoundFileReader reader = WriteOneStream(folder, data);
        EXPECT_TRUE(reader.problems.empty()) << reader.problems.front();
        EXPECT_EQ(reader.File().size(), (c.lastStreamSector + 2) * 512u);
        EXPECT_EQ(reader.HeaderU32(44), c.tableSectors);
        const std::vector<std::uint32_t> tables{0, 128, 256};
        for (std::uint32_t k = 0; k < 3; ++k) {
            EXPECT_EQ(reader.HeaderU32(76 + 4 * k), k < c.tableSectors ? tables[k] : kFree) << "slot " << k;
            if (k < c.tableSectors) {
                EXPECT_EQ(reader.table.at(tables[k]), kTable) << "slot " << k;
            }
        }

        std::vector<std::uint32_t> expected;
        for (std::uint32_t s = 2; s <= c.lastStreamSector; ++s) {
            if (s != 128 && s != 256) expected.push_back(s);
        }
        const DirectoryRecord& stream = reader.directory.at(1);
        EXPECT_EQ(stream.name, u"Workbook");
        EXPECT_EQ(stream.nameBytes, 18);
        EXPECT_EQ(stream.type, 2);
        EXPECT_EQ(stream.size, c.size);
        EXPECT_EQ(reader.Chain(stream.start), expected);
        EXPECT_EQ(reader.Stream(u"Workbook"), data);
        EXPECT_EQ(reader.directory.at(0).child, 1u);
        EXPECT_EQ(stream.left, kFree);
        EXPECT_EQ(stream.right, kFree);
    }
}

// Past 109 table sectors the header has no slot left: extension sectors name
// the rest, and the reader must still find every byte.
TEST(CompoundFile, LargeStreamUsesExtensionSectors) {
    ScratchFolder folder;
    const auto data = PatternBytes(110 * 128 * 512);
    CompoundFileReader reader = WriteOneStream(folder, data);
    ASSERT_TRUE(reader.problems.empty()) << reader.problems.front();
    EXPECT_GT(reader.HeaderU32(44), 109u);
    EXPECT_EQ(reader.HeaderU32(72), 1u);
    ASSERT_EQ(reader.extensionSectors.size(), 1u);
    EXPECT_EQ(reader.extensionSectors[0], reader.tableSectors[109] + 1);
    EXPECT_EQ(reader.Stream(u"Workbook"), data);
}

// Streams under 4096 bytes belong in the mini stream; readers look nowhere else.
TEST(CompoundFile, SmallStreamsGoToTheMiniStream) {
    for (std::size_t size : {std::size_t{1}, std::size_t{64}, std::size_t{65}, std::size_t{4095}}) {
        SCOPED_TRACE(size);
        ScratchFolder folder;
        const auto data = PatternBytes(size);
        CompoundFileReader reader = WriteOneStream(folder, data);
        EXPECT_TRUE(reader.problems.empty()) << reader.problems.front();
        EXPECT_EQ(reader.HeaderU32(64), 1u);
        EXPECT_EQ(reader.directory.at(0).size, (size + 63) / 64 * 64);
        EXPECT_EQ(reader.Stream(u"Workbook"), data);
    }
}

TEST(CompoundFile, RewritingMovesStreamsBetweenMiniAndRegularSectors) {
    ScratchFolder folder;
    CompoundFile file;
    ASSERT_TRUE(file.Create(folder.File("rewrite.xls")));
    ASSERT_EQ(file.MakeFile(u"Workbook"), CompoundFile::Success);
    const auto big = PatternBytes(20 * 512, 1);
    const auto smaller = PatternBytes(9 * 512, 2);
    const auto small = PatternBytes(100, 3);
    ASSERT_EQ(file.WriteFile(u"Workbook", big.data(), big.size()), CompoundFile::Success);
    ASSERT_EQ(file.WriteFile(u"Workbook", smaller.data(), smaller.size()), CompoundFile::Success);
    {
        CompoundFileReader reader(ReadFile(folder.Path("rewrite.xls")));
        EXPECT_TRUE(reader.problems.empty());
        EXPECT_EQ(reader.Stream(u"Workbook"), smaller);
        for (std::uint32_t s = 11; s < 22; ++s) EXPECT_EQ(reader.table.at(s), kFree) << "cut-off sector " << s;
    }
    ASSERT_EQ(file.WriteFile(u"Workbook", small.data(), small.size()), CompoundFile::Success);
    {
        CompoundFileReader reader(ReadFile(folder.Path("rewrite.xls")));
        EXPECT_TRUE(reader.problems.empty());
        EXPECT_EQ(reader.Stream(u"Workbook"), small);
    }
    ASSERT_EQ(file.WriteFile(u"Workbook", big.data(), big.size()), CompoundFile::Success);
    ASSERT_TRUE(file.Close());
    CompoundFileReader reader(ReadFile(folder.Path("rewrite.xls")));
    EXPECT_TRUE(reader.problems.empty());
    EXPECT_EQ(reader.Stream(u"Workbook"), big);
    EXPECT_EQ(reader.HeaderU32(60), kEnd) << "an unused mini table is released";
    EXPECT_EQ(reader.directory.at(0).start, kEnd) << "an unused mini stream is released";
}

// Children sort shorter names first; the middle one hangs from the root with
// left and right chains around it.
TEST(CompoundFile, DirectoryTreeOfSeveralStreams) {
    ScratchFolder folder;
    CompoundFile file;
    ASSERT_TRUE(file.Create(folder.File("tree.xls")));
    for (const char16_t* name : {u"B", u"CC", u"A", u"D", u"EEE"}) ASSERT_EQ(file.MakeFile(name), CompoundFile::Success);
    const auto data = PatternBytes(5000);
    ASSERT_EQ(file.WriteFile(u"CC", data.data(), data.size()), CompoundFile::Success);
    ASSERT_TRUE(file.Close());

    CompoundFileReader reader(ReadFile(folder.Path("tree.xls")));
    ASSERT_TRUE(reader.problems.empty()) << reader.problems.front();
    // Entries by index: 0 root, 1 B, 2 CC, 3 A, 4 D, 5 EEE; order A B D CC EEE.
    ASSERT_GE(reader.directory.size(), 6u);
    EXPECT_EQ(reader.directory[0].child, 4u);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> siblings{
        {kFree, kFree}, {3, kFree}, {kFree, 5}, {kFree, kFree}, {1, 2}, {kFree, kFree}};
    for (std::size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(reader.directory[i].left, siblings[i].first) << "entry " << i;
        EXPECT_EQ(reader.directory[i].right, siblings[i].second) << "entry " << i;
    }
    EXPECT_EQ(reader.Stream(u"CC"), data);
    EXPECT_EQ(reader.Chain(reader.HeaderU32(48)).size(), 2u) << "six entries need two directory sectors";
}

TEST(CompoundFile, RefusedOperations) {
    ScratchFolder folder;
    CompoundFile file;
    const std::uint8_t byte = 0;
    EXPECT_EQ(file.MakeFile(u"Workbook"), CompoundFile::NotOpen);
    EXPECT_EQ(file.WriteFile(u"Workbook", &byte, 1), CompoundFile::NotOpen);

    ASSERT_TRUE(file.Create(folder.File("refused.xls")));
    const std::u16string longest(31, u'x');
    const struct {
        std::u16string path;
        int result;
    } makes[] = {
        {longest, CompoundFile::Success},
        {longest + u"x", CompoundFile::BadName},
        {u"", CompoundFile::BadName},
        {u"storage/", CompoundFile::BadName},
        {u"a:b", CompoundFile::BadName},
        {u"Workbook", CompoundFile::Success},
        {u"/Workbook", CompoundFile::AlreadyExists},
    };
    for (const auto& make : makes) EXPECT_EQ(file.MakeFile(make.path), make.result) << Common::ToAnsi(make.path);
    EXPECT_EQ(file.WriteFile(u"Book", &byte, 1), CompoundFile::NotFound);
    EXPECT_TRUE(file.Close());
}

TEST(CompoundFile, UncreatableFileFailsAndLeavesNothing) {
    ScratchFolder folder;
    CompoundFile file;
    EXPECT_FALSE(file.Create(folder.File("missing-folder/book.xls")));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("missing-folder")));
    EXPECT_FALSE(file.Create(u""));
    EXPECT_FALSE(file.Create(folder.File("cut") + u'\0' + u"tail.xls"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("cut")));
    EXPECT_EQ(file.MakeFile(u"Workbook"), CompoundFile::NotOpen);
    EXPECT_TRUE(file.Close());
}

}  // namespace
