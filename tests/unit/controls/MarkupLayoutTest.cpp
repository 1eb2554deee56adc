// The markup layout on a surface of fixed character widths: every character
// is 6 pixels wide, 8 in bold, and a line is 10 pixels high.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/MarkupLayout.h"

using namespace Controls;

namespace {

struct DrawnWord {
    std::u16string text;
    MarkupRect rect;
    unsigned style;
    MarkupColour colour;
    std::uint32_t format;
};

class FixedWidthSurface : public MarkupSurface {
public:
    static constexpr int kLine = 10;
    int LineHeight() override { return kLine; }
    void SelectStyle(unsigned style) override {
        style_ = style;
        ++selections;
    }
    int TextWidth(std::u16string_view text) override {
        return static_cast<int>(text.size()) * ((style_ & MarkupStyle::kBold) ? 8 : 6);
    }
    MarkupColour TextColour() override { return colour_; }
    void SetTextColour(MarkupColour colour) override { colour_ = colour; }
    void DrawWord(std::u16string_view text, const MarkupRect& rect, std::uint32_t format) override {
        words.push_back({std::u16string(text), rect, style_, colour_, format});
    }

    std::vector<DrawnWord> words;
    int selections = 0;
    MarkupColour colour_ = MakeMarkupColour(1, 2, 3);

private:
    unsigned style_ = 0;
};

std::vector<DrawnWord> Draw(std::u16string_view text, int width = 200,
                            std::uint32_t format = MarkupFormat::kWordBreak) {
    FixedWidthSurface surface;
    MarkupRect rect{0, 0, width, 100};
    LayoutMarkup(surface, rect, text, format);
    return surface.words;
}

std::u16string Texts(const std::vector<DrawnWord>& words) {
    std::u16string all;
    for (const auto& word : words) all += word.text + u"|";
    return all;
}

MarkupRect Measure(std::u16string_view text, int width, int* aboveLastLine = nullptr,
                   std::uint32_t format = MarkupFormat::kWordBreak) {
    FixedWidthSurface surface;
    MarkupRect rect{10, 20, 10 + width, 20};
    const int above = LayoutMarkup(surface, rect, text, format | MarkupFormat::kCalcRect);
    if (aboveLastLine) *aboveLastLine = above;
    EXPECT_TRUE(surface.words.empty()) << "measuring draws nothing";
    return rect;
}

}  // namespace

TEST(MarkupLayout, TagsSetAndClearStylesByPrefixCaseInsensitively) {
    struct Case {
        const char16_t* text;
        unsigned style;
    } cases[] = {
        {u"<b>w</b>", MarkupStyle::kBold},
        {u"<STRONG>w", MarkupStyle::kBold},
        {u"<bold>w", MarkupStyle::kBold},
        {u"<i>w", MarkupStyle::kItalic},
        {u"<em>w", MarkupStyle::kItalic},
        {u"<ul>w", MarkupStyle::kUnderline},
        {u"<sup>w", MarkupStyle::kSuperscript},
        {u"<sub>w", MarkupStyle::kSubscript},
        {u"<b><i>w", MarkupStyle::kBold | MarkupStyle::kItalic},
        {u"<b><i></b>w", MarkupStyle::kItalic},
    };
    for (const auto& c : cases) {
        const auto words = Draw(c.text);
        ASSERT_EQ(words.size(), 1u) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
        EXPECT_EQ(words[0].style, c.style);
    }
}

TEST(MarkupLayout, WhatIsNotATagIsDrawnOrDropped) {
    struct Case {
        const char16_t* text;
        const char16_t* words;
    } cases[] = {
        // A tag other than font with an attribute is no tag: bracket and
        // name are a word, the attribute text further words.
        {u"<b class=x>bold", u"<b|class=x>bold|"},
        {u"<xyz>a", u"<xyz>|a|"},     // an unknown opening tag is drawn
        {u"a</xyz> b", u"a|b|"},      // an unknown closing tag is dropped
        {u"a < b", u"a|<|b|"},
        {u"<", u"<|"},
        {u"<font", u""},              // a font tag cut off at the end
        {u"x<font color=\"#ff", u"x|"},
    };
    for (const auto& c : cases) EXPECT_EQ(Texts(Draw(c.text)), c.words);
}

TEST(MarkupLayout, WordsAreSeparatedByOneSpaceAndBreakAtTheWidth) {
    // "aaaa bbbb cccc": 24 pixels a word, 6 a space; 60 pixels hold two words.
    const auto words = Draw(u"  aaaa \t bbbb\ncccc", 60);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].rect, (MarkupRect{6, 0, 60, 10})) << "leading white space is one space";
    EXPECT_EQ(words[1].rect, (MarkupRect{36, 0, 60, 10}));
    EXPECT_EQ(words[2].rect, (MarkupRect{0, 10, 60, 20})) << "the third word starts the next line";
}

TEST(MarkupLayout, WithoutWordBreakTheRectangleWidens) {
    const auto words = Draw(u"aaaa bbbb cccc", 60, 0);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[2].rect.top, 0);
    EXPECT_EQ(words[2].rect, (MarkupRect{60, 0, 84, 10}));
}

TEST(MarkupLayout, LineAndParagraphBreaksSwallowTheSpaceAroundThem) {
    const auto words = Draw(u"one <br> two<p>  three");
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1].rect.left, 0);
    EXPECT_EQ(words[1].rect.top, 10);
    EXPECT_EQ(words[2].rect.left, 0);
    EXPECT_EQ(words[2].rect.top, 25) << "a paragraph adds one and a half lines";

    EXPECT_EQ(Draw(u"<p>first")[0].rect.top, 0) << "a paragraph at the very start adds no space";
    EXPECT_EQ(Draw(u"a<br>b", 200, MarkupFormat::kSingleLine)[1].rect.top, 0) << "single line ignores breaks";
}

TEST(MarkupLayout, FontColoursNestAndUnwind) {
    const MarkupColour start = MakeMarkupColour(1, 2, 3);
    const MarkupColour red = MakeMarkupColour(0xFF, 0, 0);
    const MarkupColour blue = MakeMarkupColour(0x14, 0x87, 0xDC);
    const auto words = Draw(
        u"<font color=#ff0000>r <FONT COLOR='1487dc' size=2>b</font> r2</font> s "
        u"<font size=\"2\" color=#00ff00>k</font> s2 </font>s3 <font color=zz>z</font>");
    ASSERT_EQ(words.size(), 8u);
    EXPECT_EQ(words[0].colour, red);
    EXPECT_EQ(words[1].colour, blue);
    EXPECT_EQ(words[2].colour, red);
    EXPECT_EQ(words[3].colour, start);
    EXPECT_EQ(words[4].colour, start) << "colour not the first attribute: no change";
    // ... but its closing tag still pops: the stack is empty, the bottom
    // entry (the starting colour) comes back.
    EXPECT_EQ(words[5].colour, start);
    EXPECT_EQ(words[6].colour, start) << "a stray closing tag restores the starting colour";
    EXPECT_EQ(words[7].colour, start) << "an unreadable colour keeps the current one";

    // A font tag without a colour pushes nothing, yet its closing tag pops.
    const auto nested = Draw(u"<font color=#ff0000><font size=2>x</font>y</font>");
    ASSERT_EQ(nested.size(), 2u);
    EXPECT_EQ(nested[0].colour, red);
    EXPECT_EQ(nested[1].colour, start);
}

TEST(MarkupLayout, ColourStackHoldsEightEntries) {
    std::u16string text;
    for (int i = 0; i < 10; ++i) text += u"<font color=\"#0000" + std::u16string(1, u'0' + i) + u"0\">";
    text += u"x";
    for (int i = 0; i < 10; ++i) text += u"</font>y";
    const auto words = Draw(text, 1000);
    ASSERT_EQ(words.size(), 11u);
    EXPECT_EQ(words[0].colour, MakeMarkupColour(0, 0, 0x90));
    // Levels 9 and 10 were not pushed: the first pops return to level 8's entry.
    EXPECT_EQ(words[1].colour, MakeMarkupColour(0, 0, 0x60));
    EXPECT_EQ(words[10].colour, MakeMarkupColour(1, 2, 3));
}

TEST(MarkupLayout, MeasuringGivesTheCoveredAreaAndTheHeightAboveTheLastLine) {
    int above = -1;
    EXPECT_EQ(Measure(u"aaaa bbbb cccc", 60, &above), (MarkupRect{10, 20, 64, 40}));
    EXPECT_EQ(above, 10);
    // A word longer than the width widens the rectangle instead of breaking.
    EXPECT_EQ(Measure(u"aaaaaaaaaaaaaaaaaaaa", 60, &above), (MarkupRect{10, 20, 130, 30}));
    EXPECT_EQ(above, 0);
    EXPECT_EQ(Measure(u"", 60), (MarkupRect{10, 20, 10, 30}));
    // The component list's entries: a bold title, a line break, a description.
    EXPECT_EQ(Measure(u"<b><font color=\"#c4dceb\"> Word </font></b> <br> <font color=\"#1487DC\" size=\"2\"> "
                      u"Integration in Word</font>",
                      500, &above),
              (MarkupRect{10, 20, 10 + 6 * 20, 40}));
}

TEST(MarkupLayout, FormatLosesAlignmentGainsNoPrefixAndSubscriptSitsAtTheBottom) {
    const auto words = Draw(u"a <sub>b</sub> <u>c d</u>", 200,
                            MarkupFormat::kCenter | MarkupFormat::kRight | MarkupFormat::kTabStop);
    ASSERT_EQ(words.size(), 6u);
    EXPECT_EQ(words[0].format, MarkupFormat::kNoPrefix);
    EXPECT_EQ(words[1].format, MarkupFormat::kNoPrefix | MarkupFormat::kSingleLine | MarkupFormat::kBottom);
    // Underlined words draw a space in the gap before them, so the line runs on.
    EXPECT_EQ(Texts(words), u"a|b| |c| |d|");
    EXPECT_EQ(words[3].rect.left, words[2].rect.left + 6);
    EXPECT_EQ(words[5].rect.left, words[4].rect.left + 6);
}

TEST(MarkupLayout, FontIsSelectedOnlyWhenTheStyleChanges) {
    FixedWidthSurface surface;
    MarkupRect rect{0, 0, 500, 0};
    LayoutMarkup(surface, rect, u"a b <b>c d</b><b> e</b> f", MarkupFormat::kWordBreak);
    EXPECT_EQ(surface.selections, 3);  // the base font, bold for c (and still for e), base for f
}
