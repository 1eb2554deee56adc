#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/HtmlListModel.h"

using namespace Controls;

namespace {

// A line holds one character per 6 pixels of width and is 12 pixels high.
int MeasureByLength(const HTMLLIST_ITEM& item, int width) {
    const int perLine = std::max(width / 6, 1);
    return 12 * static_cast<int>((item.text.size() + perLine - 1) / perLine);
}

}  // namespace

TEST(HtmlListModel, InsertMeasuresPadsAndNumbers) {
    std::vector<int> widths;
    HtmlListModel model([&](const HTMLLIST_ITEM& item, int width) {
        widths.push_back(width);
        return MeasureByLength(item, width);
    });
    EXPECT_EQ(model.Insert(std::u16string(60, u'a'), HtmlItemType::kMarkup, 0, 65), 0);  // 10 a line
    EXPECT_EQ(model.Insert(u"fixed", HtmlItemType::kPlainWrapped, 40, 65), 1);
    EXPECT_EQ(model.Insert(u"unknown type", 7, 0, 65), 2);
    EXPECT_EQ(widths, std::vector<int>{60}) << "margin 5 without check boxes; type 7 is not measured";

    EXPECT_EQ(model.Find(0)->height, 12 * 6 + 10);
    EXPECT_EQ(model.Find(1)->height, 40);
    EXPECT_TRUE(model.Find(1)->fixedHeight);
    EXPECT_EQ(model.Find(2)->height, 0);
    EXPECT_EQ(model.TotalHeight(), 82 + 40);
    EXPECT_EQ(model.TopOf(1), 82);
    EXPECT_EQ(model.Find(3), nullptr);

    // Check boxes take 24 pixels; relayout measures again, keeps fixed
    // heights and renumbers.
    model.SetCheckBoxes(true);
    model.Relayout(84);
    EXPECT_EQ(widths, (std::vector<int>{60, 60}));
    model.Items().pop_front();
    model.Relayout(84);
    EXPECT_EQ(model.Find(0)->text, u"fixed");
    EXPECT_EQ(model.Find(0)->height, 40);
    EXPECT_EQ(model.Find(1)->text, u"unknown type");
    EXPECT_EQ(model.TotalHeight(), 40);

    model.Clear();
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.TotalHeight(), 0);
    EXPECT_EQ(model.Insert(u"x", HtmlItemType::kSinglePath, 0, 84), 0);
}

TEST(HtmlListModel, ArrowKeysMoveTheSelection) {
    struct Case {
        int selected, count, up, down;
    } cases[] = {
        {-1, 5, 0, 4},  // none: Up selects the first, Down the last
        {0, 5, 0, 1},   {2, 5, 1, 3}, {4, 5, 3, 4}, {-1, 0, -1, -1}, {7, 5, 0, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelectionAfterUp(c.selected, c.count), c.up) << c.selected;
        EXPECT_EQ(SelectionAfterDown(c.selected, c.count), c.down) << c.selected;
    }
}

TEST(HtmlListModel, ScrollingBringsAnItemIntoView) {
    struct Case {
        int top, height, position, client, result;
    } cases[] = {
        {0, 40, 100, 200, 0},      // above the view: its top becomes the view's top
        {290, 40, 100, 200, 130},  // below: its bottom becomes the view's bottom
        {120, 40, 100, 200, 100},  // inside: no change
        {260, 40, 100, 200, 100},  // touching the bottom exactly
    };
    for (const auto& c : cases) EXPECT_EQ(ScrollToShow(c.top, c.height, c.position, c.client), c.result);

    EXPECT_EQ(ClampScroll(10, -40, 300), 0);
    EXPECT_EQ(ClampScroll(290, 40, 300), 300);
    EXPECT_EQ(ClampScroll(100, 40, -5), 0);
}

TEST(HtmlListModel, CheckBoxPlaces) {
    const MarkupRect item{0, 100, 500, 140};
    EXPECT_EQ(CheckBoxHitRect(item), (MarkupRect{3, 112, 18, 127}));
    EXPECT_EQ(CheckBoxPictureTop(item), 114);
}
