#include "sysinfo/BrowserFlags.h"

#include <gtest/gtest.h>

namespace {

struct BrowserCase {
    const char16_t* version;
    bool qualifies;
};

TEST(BrowserVersions, InternetExplorerCountsTheFirstCharacterOnly) {
    const BrowserCase cases[] = {
        {u"6.0.2900", true}, {u"9.11.9600", true}, {u"7", true}, {u"5.5", false},
        {u"10.0", false},    {u"", false},         {u"a", true},
    };
    for (const auto& c : cases) EXPECT_EQ(InternetExplorerQualifies(c.version), c.qualifies) << testing::PrintToString(std::u16string(c.version));
}

TEST(BrowserVersions, FirefoxNeedsANumberAboveTwoBeforeTheFirstDot) {
    const BrowserCase cases[] = {
        {u"3.6.13 (en-US)", true}, {u"12.0 (en-US)", true}, {u"3.0", true},  {u"2.0.0.20", false},
        {u"2.9", false},           {u"3", false},           {u".5", false},  {u"x.1", false},
        {u" 4.0", false},          {u"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FirefoxQualifies(c.version), c.qualifies) << testing::PrintToString(std::u16string(c.version));
}

}  // namespace
