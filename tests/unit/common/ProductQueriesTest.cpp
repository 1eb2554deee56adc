#include "common/ProductQueries.h"

#include <gtest/gtest.h>

namespace {

using Common::CollectProductCodes;
using Common::ReadVersionString;

struct VersionStringCase {
    const char16_t* text;
    std::optional<VersionRecord> expected;
};

TEST(ReadVersionString, SplitsAtEveryDotAndReadsStrictDecimals) {
    const VersionStringCase cases[] = {
        {u"3.0.12.345", VersionRecord{3, 0, 12, 345}},
        {u"5.3", VersionRecord{5, 3, 0, 0}},
        {u"7", VersionRecord{7, 0, 0, 0}},
        {u"1.2.3.4.x", VersionRecord{1, 2, 3, 4}},  // parts after the fourth are not read
        {u"4294967295.0.0.1", VersionRecord{4294967295u, 0, 0, 1}},
        {u"5..3", std::nullopt},
        {u"5.", std::nullopt},
        {u".5", std::nullopt},
        {u"", std::nullopt},
        {u"5.3 beta", std::nullopt},
        {u"-1.0", std::nullopt},
        {u"4294967296.0", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadVersionString(c.text), c.expected) << testing::PrintToString(std::u16string(c.text));
    }
}

// An enumeration over a fixed answer list; past its end it answers nothing.
Common::ProductCodeAt Answers(std::vector<std::u16string> answers, int* calls = nullptr) {
    return [answers, calls](std::uint32_t index) -> std::optional<std::u16string> {
        if (calls) ++*calls;
        if (index >= answers.size()) return std::nullopt;
        return answers[index];
    };
}

TEST(CollectProductCodes, WalksToTheEnd) {
    EXPECT_EQ(CollectProductCodes(Answers({u"{A}", u"{B}", u"{C}"})), (std::vector<std::u16string>{u"{A}", u"{B}", u"{C}"}));
    EXPECT_TRUE(CollectProductCodes(Answers({})).empty());
}

TEST(CollectProductCodes, StopsWhenAnAnswerRepeats) {
    // An installer that hands out the same product for every index.
    int calls = 0;
    const auto endless = [&calls](std::uint32_t) -> std::optional<std::u16string> {
        ++calls;
        return std::u16string(u"{A}");
    };
    EXPECT_EQ(CollectProductCodes(endless), std::vector<std::u16string>{u"{A}"});
    EXPECT_EQ(calls, 2);

    EXPECT_EQ(CollectProductCodes(Answers({u"{A}", u"{B}", u"{A}", u"{C}"})),
              (std::vector<std::u16string>{u"{A}", u"{B}"}));
}

}  // namespace
