#include "common/OfficeDetection.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using namespace Common;

// Product codes as Office writes them.
constexpr char16_t kSuite2003[] = u"{90110409-6000-11D3-8CFE-0150048383C9}";
constexpr char16_t kWord2003[] = u"{901B0409-6000-11D3-8CFE-0150048383C9}";
constexpr char16_t kPublisher2003[] = u"{90190409-6000-11D3-8CFE-0150048383C9}";
constexpr char16_t kSuiteCA2003[] = u"{90CA0409-6000-11D3-8CFE-0150048383C9}";
constexpr char16_t kWord2007[] = u"{90120000-001B-0000-0000-0000000FF1CE}";
constexpr char16_t kSuite2007[] = u"{90120000-0011-0000-0000-0000000FF1CE}";
constexpr char16_t kSuite2007Tag0030[] = u"{90120000-0030-0000-0000-0000000FF1CE}";
constexpr char16_t kExcel2010[] = u"{90140000-0016-0000-0000-0000000FF1CE}";
constexpr char16_t kExcel2010x64[] = u"{90140000-0016-0000-1000-0000000FF1CE}";
constexpr char16_t kSuite2010[] = u"{90140000-002F-0000-0000-0000000FF1CE}";
constexpr char16_t kSuite2010Tag0030[] = u"{90140000-0030-0000-0000-0000000FF1CE}";  // 0030 is a 2007 suite tag only
constexpr char16_t kOther[] = u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}";

// Installed features by product; every question is recorded.
struct Features {
    std::set<std::pair<std::u16string, std::u16string>> installed;
    mutable std::vector<std::pair<std::u16string, std::u16string>> asked;

    OfficeFeatureQuery Query() const {
        return [this](const std::u16string& code, const std::u16string& feature) {
            asked.emplace_back(code, feature);
            return installed.count({code, feature}) > 0;
        };
    }
};

struct MatchCase {
    int application;
    int generation;
    const char16_t* code;
    bool matches;
};

TEST(MatchesOfficeProduct, StandAloneProductsAndSuitesWithTheFeature) {
    Features features;
    features.installed = {{kSuite2003, u"EXCELFiles"},       {kSuiteCA2003, u"WORDFiles"},
                          {kSuite2007, u"OUTLOOKFiles"},     {kSuite2007Tag0030, u"PPTFiles"},
                          {kSuite2010, u"PubPrimary"},       {kSuite2010Tag0030, u"PubPrimary"}};
    const MatchCase cases[] = {
        {kOfficeWord, kOffice2003, kWord2003, true},
        {kOfficeExcel, kOffice2003, kWord2003, false},
        {kOfficePublisher, kOffice2003, kPublisher2003, true},
        {kOfficeExcel, kOffice2003, kSuite2003, true},
        {kOfficeWord, kOffice2003, kSuite2003, false},  // the suite without WORDFiles
        {kOfficeWord, kOffice2003, kSuiteCA2003, true},
        {kOfficeWord, kOffice2007, kWord2003, false},    // another family
        {kOfficeWord, kOffice2007, kWord2007, true},
        {kOfficeWord, kOffice2010, kWord2007, false},    // "12" is not "14"
        {kOfficeOutlook, kOffice2007, kSuite2007, true},
        {kOfficePowerPoint, kOffice2007, kSuite2007Tag0030, true},
        {kOfficeOutlook, kOffice2007, kSuite2007Tag0030, false},
        {kOfficeExcel, kOffice2010, kExcel2010, true},
        {kOfficeExcel, kOffice2010, kExcel2010x64, true},  // matches; the width is judged later
        {kOfficePublisher, kOffice2010, kSuite2010, true},
        {kOfficePublisher, kOffice2010, kSuite2010Tag0030, false},
        {kOfficeWord, kOffice2003, kOther, false},
        {kOfficeWord, kOffice2007, u"{9012", false},     // cut short
        {kOfficeWord, kOffice2007, u"", false},
        {5, kOffice2007, kWord2007, false},              // numbers outside the tables
        {kOfficeWord, 3, kWord2007, false},
        {-1, -1, kWord2007, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesOfficeProduct(c.application, c.generation, c.code, features.Query()), c.matches)
            << c.application << "/" << c.generation << " " << testing::PrintToString(std::u16string(c.code));
    }
}

TEST(MatchesOfficeProduct, OnlySuitesAreAskedForFeatures) {
    Features features;
    EXPECT_TRUE(MatchesOfficeProduct(kOfficeWord, kOffice2007, kWord2007, features.Query()));
    EXPECT_FALSE(MatchesOfficeProduct(kOfficeWord, kOffice2007, kOther, features.Query()));
    EXPECT_TRUE(features.asked.empty());
    EXPECT_FALSE(MatchesOfficeProduct(kOfficeWord, kOffice2003, kSuite2003, features.Query()));
    ASSERT_EQ(features.asked.size(), 1u);
    EXPECT_EQ(features.asked[0], std::make_pair(std::u16string(kSuite2003), std::u16string(u"WORDFiles")));
}

TEST(IsOfficeAppAmong, TheFirstMatchDecidesAnd64BitProductsDoNotCount) {
    Features features;
    const auto query = features.Query();
    EXPECT_TRUE(IsOfficeAppAmong(kOfficeExcel, kOffice2010, {kOther, kExcel2010}, query));
    EXPECT_FALSE(IsOfficeAppAmong(kOfficeExcel, kOffice2010, {kExcel2010x64}, query));
    // The search ends at the first match, even when a 32-bit product follows.
    EXPECT_FALSE(IsOfficeAppAmong(kOfficeExcel, kOffice2010, {kExcel2010x64, kExcel2010}, query));
    EXPECT_TRUE(IsOfficeAppAmong(kOfficeExcel, kOffice2010, {kExcel2010, kExcel2010x64}, query));
    // Office 2003 knows no 64-bit products: position 20 is not looked at.
    EXPECT_TRUE(IsOfficeAppAmong(kOfficeWord, kOffice2003, {kWord2003}, query));
    EXPECT_FALSE(IsOfficeAppAmong(kOfficeWord, kOffice2003, {}, query));
}

TEST(OfficeDetectionMask, SetsTheBitOfEveryApplicationFound) {
    Features features;
    features.installed = {{kSuite2003, u"WORDFiles"}, {kSuite2003, u"OUTLOOKFiles"}, {kSuite2010, u"EXCELFiles"}};
    const std::vector<std::u16string> codes = {kSuite2003, kWord2007, kSuite2007Tag0030, kSuite2010, kOther};
    EXPECT_EQ(OfficeDetectionMask(codes, features.Query()), 0x2u | 0x8u | 0x20u | 0x10000u);
    EXPECT_EQ(OfficeDetectionMask({}, features.Query()), 0u);

    // Every application of every generation has its own bit.
    std::uint32_t all = 0;
    for (int generation = 0; generation < kOfficeGenerationCount; ++generation) {
        for (int application = 0; application < kOfficeApplicationCount; ++application) {
            const auto bit = OfficeDetectionBit(application, generation);
            EXPECT_EQ(all & bit, 0u);
            all |= bit;
        }
    }
    EXPECT_EQ(all, 0x2u | 0x4 | 0x8 | 0x10 | 0x4000 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x8000 | 0x10000 |
                       0x20000 | 0x40000 | 0x80000);
}

}  // namespace
