#include "common/VersionParse.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct VersionCase {
    const char* text;
    VersionRecord expected;
};

// Every case is read as 8-bit and as UTF-16 text, with the same answer.
const VersionCase kVersionCases[] = {
    {"3.0.12.345", {3, 0, 12, 345}},
    {"3-0-12-345", {3, 0, 12, 345}},
    {"1_2 3x4", {1, 2, 3, 4}},
    {"01.002.0003.4", {1, 2, 3, 4}},
    {"4294967295.0.0.4294967295", {4294967295u, 0, 0, 4294967295u}},
    {"0.0.0.0", {}},
    {"4294967296.0.0.1", {}},  // above 32 bits
    {"3.0.12", {}},
    {"3.0.12.345 ", {}},
    {" 3.0.12.345", {}},
    {"3.0.12.345.6", {}},
    {"3..0.12", {}},  // the separator is one character
    {"3.0.1234", {}},  // a digit never separates
    {"1234567", {}},
    {"a.b.c.d", {}},
    {"", {}},
    {"-1.0.0.0", {}},
};

TEST(ParseVersion, ReadsFourNumbersSeparatedBySingleCharacters) {
    for (const auto& c : kVersionCases) {
        const std::string narrow = c.text;
        const std::u16string wide(narrow.begin(), narrow.end());
        EXPECT_EQ(ParseVersion(narrow), c.expected) << c.text;
        EXPECT_EQ(ParseVersion(wide), c.expected) << c.text;
    }
}

TEST(ParseVersion, OnlyAsciiDigitsCount) {
    // Arabic-Indic digits, and a wide separator that is not a digit.
    EXPECT_EQ(ParseVersion(u"\u0663.0.12.345"), VersionRecord{});
    EXPECT_EQ(ParseVersion(u"3\u00b70\u00b712\u00b7345"), (VersionRecord{3, 0, 12, 345}));
    EXPECT_EQ(ParseVersion(std::string("3\xff" "0.1.2")), (VersionRecord{3, 0, 1, 2}));
}

TEST(ParseVersion, LongHostileTextsEndQuickly) {
    // Texts that make a backtracking pattern matcher try every split.
    const std::string digits(1 << 20, '7');
    EXPECT_EQ(ParseVersion(digits), VersionRecord{});
    EXPECT_EQ(ParseVersion("1.2.3." + digits), VersionRecord{});
    std::u16string separated;
    for (int i = 0; i < (1 << 18); ++i) separated += u"1.";
    EXPECT_EQ(ParseVersion(separated), VersionRecord{});
}

TEST(ParseDecimal, AcceptsPlainDecimalNumbersOnly) {
    EXPECT_EQ(ParseDecimal(u"0"), 0u);
    EXPECT_EQ(ParseDecimal(u"0042"), 42u);
    EXPECT_EQ(ParseDecimal(u"4294967295"), 4294967295u);
    for (const char16_t* text : {u"", u"4294967296", u"+1", u"-1", u" 1", u"1 ", u"1.0", u"0x10"}) {
        EXPECT_FALSE(ParseDecimal(text).has_value());
    }
}

}  // namespace
