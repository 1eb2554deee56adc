#include "configuration/StampBlock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutInt32(Bytes& out, std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
}

void PutText(Bytes& out, const std::u16string& text) {
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
}

Bytes Marker() { return Bytes(StampBlock::kMarkerSize, StampBlock::kMarkerByte); }

std::optional<std::vector<std::u16string>> ParseBytes(const Bytes& bytes) {
    return StampBlock::Parse(bytes.data(), bytes.size());
}

TEST(StampBlock, EncodesTwoPairsAsTheReleaseToolsExpect) {
    Bytes expected;
    PutText(expected, std::u16string(u"A=1") + u'\0');
    PutInt32(expected, 8);
    PutText(expected, std::u16string(u"B=2") + u'\0');
    PutInt32(expected, 8);
    PutInt32(expected, 2);
    const Bytes marker = Marker();
    expected.insert(expected.end(), marker.begin(), marker.end());

    EXPECT_EQ(StampBlock::Encode({u"A=1", u"B=2"}), expected);
}

TEST(StampBlock, ReadsBackNearestTheCountFirstAndIgnoresTrailingBytes) {
    Bytes file = {'M', 'Z', 0x44, 0x44};
    const Bytes block = StampBlock::Encode({u"DOWNLOAD_LINK=http://a/b?c=d", u"WID=\u65e5\u672c"});
    file.insert(file.end(), block.begin(), block.end());
    file.insert(file.end(), {0x30, 0x82, 0x01});  // a signature appended later

    const auto entries = ParseBytes(file);
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, (std::vector<std::u16string>{u"WID=\u65e5\u672c", u"DOWNLOAD_LINK=http://a/b?c=d"}));
}

TEST(StampBlock, UsesTheMarkerNearestTheEnd) {
    Bytes file = StampBlock::Encode({u"OLD=1"});
    const Bytes second = StampBlock::Encode({u"NEW=2"});
    file.insert(file.end(), second.begin(), second.end());
    EXPECT_EQ(*ParseBytes(file), std::vector<std::u16string>{u"NEW=2"});
}

TEST(StampBlock, WithoutMarkerThereIsNoBlock) {
    Bytes file(39, 0x44);
    file[19] = 0;  // two runs of 19 bytes
    EXPECT_FALSE(ParseBytes(file));
    EXPECT_FALSE(ParseBytes({}));
}

// Altered files: nothing may be read outside the buffer (AddressSanitizer
// watches the native run), and the whole entries before the damage are kept.
TEST(StampBlock, SurvivesAlteredBlocks) {
    const Bytes good = StampBlock::Encode({u"A=1", u"B=2"});  // B=2 nearest the count
    const std::size_t countAt = good.size() - StampBlock::kMarkerSize - 4;
    const std::size_t lastLengthAt = countAt - 4;

    struct Case {
        const char* name;
        Bytes file;
        std::vector<std::u16string> expected;
    };
    std::vector<Case> cases;

    Bytes hugeCount = good;
    PutInt32(hugeCount, 0);  // placeholder, replaced below
    hugeCount.resize(good.size());
    std::memcpy(&hugeCount[countAt], "\xff\xff\xff\x7f", 4);
    cases.push_back({"count larger than the entries", hugeCount, {u"B=2", u"A=1"}});

    Bytes negativeCount = good;
    std::memcpy(&negativeCount[countAt], "\xfe\xff\xff\xff", 4);
    cases.push_back({"negative count", negativeCount, {}});

    Bytes hugeLength = good;
    std::memcpy(&hugeLength[lastLengthAt], "\x00\x00\x00\x40", 4);
    cases.push_back({"length beyond the file", hugeLength, {}});

    Bytes negativeLength = good;
    std::memcpy(&negativeLength[lastLengthAt], "\x00\x00\x00\x80", 4);
    cases.push_back({"negative length is skipped but counted", negativeLength, {}});

    const Bytes marker = Marker();
    Bytes oddLength;
    PutText(oddLength, u"K=V");
    oddLength.pop_back();  // half of the last character
    PutInt32(oddLength, 5);
    PutInt32(oddLength, 1);
    oddLength.insert(oddLength.end(), marker.begin(), marker.end());
    cases.push_back({"odd length keeps whole characters", oddLength, {u"K="}});

    Bytes truncated(good.begin() + 10, good.end());
    cases.push_back({"file cut before the first entry", truncated, {u"B=2"}});

    cases.push_back({"marker at the very start", Marker(), {}});

    Bytes countOnly = {0x01, 0x00, 0x00, 0x00};
    countOnly.insert(countOnly.end(), marker.begin(), marker.end());
    cases.push_back({"count without entries", countOnly, {}});

    Bytes noNul;
    PutText(noNul, u"K=V");
    PutInt32(noNul, 6);
    PutInt32(noNul, 1);
    noNul.insert(noNul.end(), marker.begin(), marker.end());
    cases.push_back({"text without NUL", noNul, {u"K=V"}});

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // An exact-size heap copy, so that reading one byte too far is caught.
        std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[c.file.size() ? c.file.size() : 1]);
        std::copy(c.file.begin(), c.file.end(), exact.get());
        const auto entries = StampBlock::Parse(exact.get(), c.file.size());
        ASSERT_TRUE(entries);
        EXPECT_EQ(*entries, c.expected);
    }
}

}  // namespace
