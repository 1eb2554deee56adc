// The items of the component list and the rules that need no window: ids
// that equal positions, heights measured by a callback, the scroll range,
// keyboard selection, and where the check box of an item lies.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>

#include "controls/MarkupLayout.h"

namespace Controls {

// How an item's text is measured and drawn.
namespace HtmlItemType {
constexpr int kMarkup = 1;
constexpr int kPlainWrapped = 2;
constexpr int kSinglePath = 3;
}  // namespace HtmlItemType

struct HTMLLIST_ITEM {
    std::int32_t id = -1;
    std::int32_t height = 0;
    std::int32_t type = HtmlItemType::kPlainWrapped;
    std::u16string text;
    std::int32_t userValue = 0;
    MarkupRect rect;  // where it was drawn at the last paint
    bool checked = false;
    bool fixedHeight = false;
};

class HtmlListModel {
public:
    // The height of an item's text laid out `width` pixels wide.
    using MeasureText = std::function<int(const HTMLLIST_ITEM& item, int width)>;

    static constexpr int kCheckBoxMargin = 24;
    static constexpr int kPlainMargin = 5;
    static constexpr int kItemPadding = 10;

    explicit HtmlListModel(MeasureText measure) : measure_(std::move(measure)) {}

    // Appends an item and returns its id. A height of 0 means measure it in
    // a list `clientWidth` pixels wide; any other height is kept for good.
    int Insert(std::u16string text, int type, int height, int clientWidth);
    void Clear();
    // Ids restart at 0 in list order; heights are measured again unless fixed.
    void Relayout(int clientWidth);

    HTMLLIST_ITEM* Find(int id);
    const HTMLLIST_ITEM* Find(int id) const;
    std::list<HTMLLIST_ITEM>& Items() { return items_; }
    const std::list<HTMLLIST_ITEM>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    int TotalHeight() const { return totalHeight_; }
    // The sum of the heights before the item.
    int TopOf(int id) const;

    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool on) { checkBoxes_ = on; }

    // The item's height for a list `clientWidth` wide: text height plus padding.
    int MeasureItem(const HTMLLIST_ITEM& item, int clientWidth) const;

private:
    void Index(HTMLLIST_ITEM& item);

    MeasureText measure_;
    std::list<HTMLLIST_ITEM> items_;  // stable addresses for the index
    std::unordered_map<int, HTMLLIST_ITEM*> index_;
    int nextId_ = 0;
    int totalHeight_ = 0;
    bool checkBoxes_ = false;
};

// The selection after an arrow key: with none, Up selects the first item and
// Down the last; otherwise one step, stopping at either end. -1 for an empty list.
int SelectionAfterUp(int selected, int count);
int SelectionAfterDown(int selected, int count);

// The scroll position that brings an item (top, height) into a view of
// `clientHeight` at `position`; the position itself when it is in view.
int ScrollToShow(int itemTop, int itemHeight, int position, int clientHeight);

// The check box's clickable square in an item's rectangle.
MarkupRect CheckBoxHitRect(const MarkupRect& item);
// Where the check box picture (16 by 16) is drawn.
int CheckBoxPictureTop(const MarkupRect& item);

// A scroll position moved by `delta` and kept within [0, limit].
int ClampScroll(int position, int delta, int limit);

}  // namespace Controls
