#include "controls/HtmlListModel.h"

#include <algorithm>

namespace Controls {

int HtmlListModel::MeasureItem(const HTMLLIST_ITEM& item, int clientWidth) const {
    if (item.type < HtmlItemType::kMarkup || item.type > HtmlItemType::kSinglePath) return 0;
    const int margin = checkBoxes_ ? kCheckBoxMargin : kPlainMargin;
    return measure_(item, clientWidth - margin) + kItemPadding;
}

int HtmlListModel::Insert(std::u16string text, int type, int height, int clientWidth) {
    HTMLLIST_ITEM& item = items_.emplace_back();
    item.id = nextId_++;
    item.type = type;
    item.text = std::move(text);
    item.fixedHeight = height != 0;
    item.height = item.fixedHeight ? height : MeasureItem(item, clientWidth);
    totalHeight_ += item.height;
    Index(item);
    return item.id;
}

void HtmlListModel::Clear() {
    items_.clear();
    index_.clear();
    nextId_ = 0;
    totalHeight_ = 0;
}

void HtmlListModel::Relayout(int clientWidth) {
    nextId_ = 0;
    totalHeight_ = 0;
    index_.clear();
    for (HTMLLIST_ITEM& item : items_) {
        item.id = nextId_++;
        if (!item.fixedHeight) item.height = MeasureItem(item, clientWidth);
        totalHeight_ += item.height;
        Index(item);
    }
}

void HtmlListModel::Index(HTMLLIST_ITEM& item) { index_[item.id] = &item; }

HTMLLIST_ITEM* HtmlListModel::Find(int id) {
    const auto found = index_.find(id);
    return found == index_.end() ? nullptr : found->second;
}

const HTMLLIST_ITEM* HtmlListModel::Find(int id) const {
    const auto found = index_.find(id);
    return found == index_.end() ? nullptr : found->second;
}

int HtmlListModel::TopOf(int id) const {
    int top = 0;
    for (const HTMLLIST_ITEM& item : items_) {
        if (item.id == id) break;
        top += item.height;
    }
    return top;
}

int SelectionAfterUp(int selected, int count) {
    if (count <= 0) return -1;
    if (selected < 0 || selected >= count) return 0;
    return selected > 0 ? selected - 1 : 0;
}

int SelectionAfterDown(int selected, int count) {
    if (count <= 0) return -1;
    if (selected < 0 || selected >= count) return count - 1;
    return selected < count - 1 ? selected + 1 : selected;
}

int ScrollToShow(int itemTop, int itemHeight, int position, int clientHeight) {
    if (itemTop < position) return itemTop;
    if (itemTop + itemHeight > position + clientHeight) return itemTop + itemHeight - clientHeight;
    return position;
}

MarkupRect CheckBoxHitRect(const MarkupRect& item) {
    const int middle = item.top + (item.bottom - item.top) / 2;
    return {item.left + 3, middle - 8, item.left + 18, middle + 7};
}

int CheckBoxPictureTop(const MarkupRect& item) { return item.top + (item.bottom - item.top) / 2 - 6; }

int ClampScroll(int position, int delta, int limit) {
    return std::clamp(position + delta, 0, std::max(limit, 0));
}

}  // namespace Controls
