#include "controls/LabelLook.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace Controls;
using namespace Controls::TextFormat;

TEST(LabelLook, TextFormatFollowsTheStaticStyle) {
    constexpr std::uint32_t left = 0x0, simple = 0xB, notify = 0x100;
    struct Case {
        std::uint32_t style;
        std::u16string text;
        std::uint32_t expected;
    } cases[] = {
        {left, u"text", kWordBreak},
        {left | notify, u"text", kWordBreak},
        {StaticStyle::kCenter, u"text", kCenter | kWordBreak},
        {StaticStyle::kRight, u"text", kRight | kWordBreak},
        {StaticStyle::kLeftNoWordWrap, u"text", 0},
        {simple, u"text", kWordBreak},
        {left, u"a\tb", kWordBreak | kExpandTabs},
        {StaticStyle::kLeftNoWordWrap, u"a\tb", kExpandTabs},
        {StaticStyle::kCenterImage, u"one line", kCenter | kVCenter | kSingleLine},
        {StaticStyle::kCenterImage | StaticStyle::kRight, u"two\r\nlines", kCenter},
        {StaticStyle::kCenterImage, u"tab\there", kCenter | kVCenter | kSingleLine},
        {StaticStyle::kCenterImage, u"bare\nnewline", kCenter | kVCenter | kSingleLine},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelTextFormat(c.style, c.text), c.expected) << std::hex << c.style;
}

// Headings stand out from body text by weight and colour alone: same face,
// same size.
TEST(LabelLook, AHeadingIsBodyTextInBoldAndAnotherColour) {
    const LabelLookValues body = LookOf(LabelPreset::BodyText);
    const LabelLookValues heading = LookOf(LabelPreset::Heading);
    EXPECT_EQ(std::u16string(heading.face), std::u16string(body.face));
    EXPECT_EQ(heading.height, body.height);
    EXPECT_EQ(body.weight, 400);
    EXPECT_EQ(heading.weight, 700);
    EXPECT_NE((std::array<int, 3>{heading.red, heading.green, heading.blue}),
              (std::array<int, 3>{body.red, body.green, body.blue}));
}

}  // namespace
