#include "msi/ProgressMessage.h"

#include <gtest/gtest.h>

#include "msi/MsiErrors.h"

namespace {

using namespace MSIInstaller;

struct ParseCase {
    const char16_t* text;
    bool parsed;
    ProgressFields fields;  // starting from {9, 9, 9, 9}
};

TEST(ParseProgressText, ReadsTheFieldsThatTheMessageKindCarries) {
    const ParseCase cases[] = {
        {u"1: 0 2: 648000 3: 0 4: 0 ", true, {0, 648000, 0, 0}},
        {u"1: 0 2: 1000 3: 1 4: 1", true, {0, 1000, 1, 1}},        // no blank at the end
        {u"1: 2 2: 512 3: 0 ", true, {2, 512, 9, 9}},             // a report stops after field 2
        {u"1: 3 2: 77 3: 5 4: 5 ", true, {3, 77, 9, 9}},
        {u"1: 1 2: 25 3: 1 4: 8 ", true, {1, 25, 1, 9}},          // action information after field 3
        {u"1: 0 2: 10 ", true, {0, 10, 9, 9}},                    // ends with the text
        {u"1: 0 2: 0x10 3: 010 4: -5 ", true, {0, 16, 8, -5}},    // wcstol in base 0
        {u"1: 0 2: 12abc 3: 0 ", true, {0, 12, 0, 9}},
        {u"1: 0 2:  ", true, {0, 0, 9, 9}},                       // no digits read as 0
        {u"", false, {9, 9, 9, 9}},
        {u"1: x 2: 5 ", false, {9, 9, 9, 9}},                     // field 1 must be a digit
        {u"1: ", false, {9, 9, 9, 9}},
        {u"5: 1 ", false, {9, 9, 9, 9}},
        {u"Action 12:00:00: InstallFiles.", false, {9, 9, 9, 9}},
        {u"1: 0 9: 5 ", false, {0, 9, 9, 9}},                     // stops at field 9, keeping what it read
    };
    for (const auto& c : cases) {
        ProgressFields fields = {9, 9, 9, 9};
        EXPECT_EQ(ParseProgressText(c.text, fields), c.parsed) << testing::PrintToString(std::u16string(c.text));
        EXPECT_EQ(fields, c.fields) << testing::PrintToString(std::u16string(c.text));
    }
}

TEST(WStrToInt, BehavesLikeWcstolWithA32BitLong) {
    const std::pair<const char16_t*, std::int32_t> cases[] = {
        {u"0", 0},           {u"42", 42},         {u"-42", -42},       {u"+7", 7},
        {u"  12", 12},       {u"\t12", 12},       {u"0x1F", 31},       {u"0XfF", 255},
        {u"-0x10", -16},     {u"017", 15},        {u"09", 0},          {u"0x", 0},
        {u"0xg", 0},         {u"", 0},            {u"abc", 0},         {u"-", 0},
        {u"2147483647", 2147483647},              {u"-2147483648", -2147483647 - 1},
        {u"0x7FFFFFFF", 2147483647},              {u"12 34", 12},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(WStrToInt(text), value) << testing::PrintToString(std::u16string(text));
    }
    for (const char16_t* text : {u"2147483648", u"-2147483649", u"0x80000000", u"99999999999999999999"}) {
        try {
            WStrToInt(text);
            ADD_FAILURE() << "no range error for " << testing::PrintToString(std::u16string(text));
        } catch (const Error& error) {
            EXPECT_EQ(error.Text(), u"ERROR: WStrToInt(sourceStr) - ::wcstol failed. Error handling.");
        }
    }
}

}  // namespace
