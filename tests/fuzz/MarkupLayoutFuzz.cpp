// The component list's markup on a surface of made-up character widths (no
// GDI): the first bytes choose the line height, the list width and the
// format; the rest, one line per item, is the markup. The layout must never
// place a word left of or above its rectangle, the measured area must cover
// every drawn word, measuring and drawing must agree on the height, and the
// list's heights must add up.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/HtmlListModel.h"
#include "controls/MarkupLayout.h"

namespace {

using namespace Controls;

struct DrawnWord {
    MarkupRect rect;
    int width;
};

class MadeUpSurface : public MarkupSurface {
public:
    explicit MadeUpSurface(int lineHeight) : lineHeight_(lineHeight) {}

    int LineHeight() override { return lineHeight_; }
    void SelectStyle(unsigned style) override {
        if (style >= MarkupStyle::kCount) std::abort();  // the font cache has no such entry
        style_ = style;
    }
    int TextWidth(std::u16string_view text) override {
        // Some characters are zero wide, bold ones a little wider.
        int width = 0;
        for (const char16_t c : text) width += c % 9 + ((style_ & MarkupStyle::kBold) ? 1 : 0);
        return width;
    }
    MarkupColour TextColour() override { return colour_; }
    void SetTextColour(MarkupColour colour) override { colour_ = colour; }
    void DrawWord(std::u16string_view text, const MarkupRect& rect, std::uint32_t) override {
        drawn.push_back({rect, TextWidth(text)});
    }

    std::vector<DrawnWord> drawn;

private:
    int lineHeight_;
    unsigned style_ = 0;
    MarkupColour colour_ = 0;
};

void CheckLayout(std::u16string_view markup, int lineHeight, int width, std::uint32_t format) {
    const MarkupRect start{7, 11, 7 + width, 11};

    MadeUpSurface measuring(lineHeight);
    MarkupRect area = start;
    const int aboveLastLine = LayoutMarkup(measuring, area, markup, format | MarkupFormat::kCalcRect);
    if (!measuring.drawn.empty() || aboveLastLine < 0) std::abort();
    if (area.left != start.left || area.top != start.top || area.Width() < 0) std::abort();
    if (area.bottom != area.top + aboveLastLine + lineHeight) std::abort();

    MadeUpSurface drawing(lineHeight);
    MarkupRect target = start;
    target.bottom += 1000;
    if (LayoutMarkup(drawing, target, markup, format) != aboveLastLine) std::abort();
    for (const DrawnWord& word : drawing.drawn) {
        if (word.rect.left < start.left || word.rect.top < start.top) std::abort();
        if (word.rect.top + lineHeight > area.bottom) std::abort();
        if (word.rect.left + word.width > area.right) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int lineHeight = 1 + data[0] % 32;
    const int width = data[1] * 2;
    const std::uint32_t format = (data[2] & 1 ? MarkupFormat::kWordBreak : 0) |
                                 (data[2] & 2 ? MarkupFormat::kSingleLine : 0) | MarkupFormat::kExternalLeading;
    const std::u16string text(data + 3, data + size);

    CheckLayout(text, lineHeight, width, format);

    // The list measures markup items the way the control does, on the width
    // left beside the check boxes or the plain margin.
    HtmlListModel model([lineHeight](const HTMLLIST_ITEM& item, int itemWidth) {
        MadeUpSurface surface(lineHeight);
        MarkupRect area{0, 0, itemWidth, 0};
        LayoutMarkup(surface, area, item.text,
                     MarkupFormat::kCalcRect | MarkupFormat::kWordBreak | MarkupFormat::kExternalLeading);
        return area.bottom - area.top;
    });
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find(u'\n', at), text.size());
        model.Insert(text.substr(at, end - at), HtmlItemType::kMarkup, 0, width);
        at = end + 1;
    }
    for (const bool checkBoxes : {false, true}) {
        model.SetCheckBoxes(checkBoxes);
        model.Relayout(width);
        int top = 0;
        for (const HTMLLIST_ITEM& item : model.Items()) {
            if (item.height < lineHeight + HtmlListModel::kItemPadding) std::abort();
            if (model.Find(item.id) != &item || model.TopOf(item.id) != top) std::abort();
            top += item.height;
        }
        if (model.TotalHeight() != top) std::abort();
    }
    return 0;
}
