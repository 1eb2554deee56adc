#include "controls/MarkupLayout.h"

#include <algorithm>
#include <array>

namespace Controls {

namespace {

using namespace MarkupFormat;

enum class Tag { Underline, Superscript, Subscript, Strong, Paragraph, Italic, Font, Emphasis, Break, Bold, None };

// Compared as prefixes of the tag's name, in this order: "<ul>" is underline
// and "<bold>" bold, while "br" must come before "b".
constexpr std::array<std::pair<std::u16string_view, Tag>, 10> kTags{{
    {u"u", Tag::Underline},
    {u"sup", Tag::Superscript},
    {u"sub", Tag::Subscript},
    {u"strong", Tag::Strong},
    {u"p", Tag::Paragraph},
    {u"i", Tag::Italic},
    {u"font", Tag::Font},
    {u"em", Tag::Emphasis},
    {u"br", Tag::Break},
    {u"b", Tag::Bold},
}};

constexpr std::size_t kColourStackSize = 8;

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    return true;
}

Tag TagNamed(std::u16string_view name) {
    for (const auto& [prefix, tag] : kTags)
        if (StartsWithNoCase(name, prefix)) return tag;
    return Tag::None;
}

unsigned StyleBit(Tag tag) {
    switch (tag) {
        case Tag::Bold:
        case Tag::Strong: return MarkupStyle::kBold;
        case Tag::Italic:
        case Tag::Emphasis: return MarkupStyle::kItalic;
        case Tag::Underline: return MarkupStyle::kUnderline;
        case Tag::Superscript: return MarkupStyle::kSuperscript;
        case Tag::Subscript: return MarkupStyle::kSubscript;
        default: return 0;
    }
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    c = Lower(c);
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// "color=" value: an optional quote, an optional "#", then RRGGBB. False when
// the six digits are not there.
bool ReadColour(std::u16string_view value, MarkupColour& colour) {
    std::size_t at = 0;
    if (at < value.size() && (value[at] == u'"' || value[at] == u'\'')) ++at;
    if (at < value.size() && value[at] == u'#') ++at;
    unsigned rgb = 0;
    for (int digit = 0; digit < 6; ++digit, ++at) {
        const int nibble = at < value.size() ? HexDigit(value[at]) : -1;
        if (nibble < 0) return false;
        rgb = (rgb << 4) | static_cast<unsigned>(nibble);
    }
    colour = MakeMarkupColour(rgb >> 16, rgb >> 8, rgb);
    return true;
}

class Layout {
public:
    Layout(MarkupSurface& surface, MarkupRect& rect, std::u16string_view text, std::uint32_t format)
        : surface_(surface), rect_(rect), text_(text),
          format_((format & ~(kCenter | kRight | kTabStop)) | kNoPrefix),
          measuring_((format & kCalcRect) != 0) {}

    int Run() {
        lineHeight_ = surface_.LineHeight();
        surface_.SelectStyle(0);
        selectedStyle_ = 0;
        spaceWidth_ = surface_.TextWidth(u" ");
        colours_[0] = surface_.TextColour();

        while (at_ < text_.size()) {
            if (IsSpace(text_[at_])) {
                SkipSpace();
                pendingSpace_ = true;
            } else if (text_[at_] == u'<') {
                ReadTag();
            } else {
                const std::size_t start = at_;
                while (at_ < text_.size() && !IsSpace(text_[at_]) && text_[at_] != u'<') ++at_;
                PlaceWord(text_.substr(start, at_ - start));
            }
        }
        if (measuring_) rect_ = {rect_.left, rect_.top, rect_.left + widest_, rect_.top + y_ + lineHeight_};
        return y_;
    }

private:
    void SkipSpace() {
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
    }

    void ReadTag() {
        const std::size_t start = at_;
        std::size_t nameStart = start + 1;
        const bool closing = nameStart < text_.size() && text_[nameStart] == u'/';
        if (closing) ++nameStart;
        std::size_t nameEnd = nameStart;
        while (nameEnd < text_.size() && !IsSpace(text_[nameEnd]) && text_[nameEnd] != u'>' &&
               text_[nameEnd] != u'<')
            ++nameEnd;
        const Tag tag = TagNamed(text_.substr(nameStart, nameEnd - nameStart));
        const bool closedAtName = nameEnd < text_.size() && text_[nameEnd] == u'>';

        if (tag == Tag::Font) {
            // Attributes are skipped up to ">"; only a leading colour counts.
            std::size_t end = nameEnd;
            while (end < text_.size() && text_[end] != u'>') ++end;
            const std::size_t attributesStart = std::min(nameEnd + 1, end);
            const auto attributes = text_.substr(attributesStart, end - attributesStart);
            at_ = std::min(end + 1, text_.size());
            if (closing)
                PopColour();
            else if (StartsWithNoCase(attributes, u"color="))
                PushColour(attributes.substr(6));
            return;
        }
        if (!closedAtName) {
            // No tag: the bracket and the name are an ordinary word.
            at_ = nameEnd;
            PlaceWord(text_.substr(start, nameEnd - start));
            return;
        }
        at_ = nameEnd + 1;
        if (tag == Tag::None) {
            if (!closing) PlaceWord(text_.substr(start, at_ - start));  // drawn as it stands
            return;
        }
        if (const unsigned bit = StyleBit(tag)) {
            style_ = closing ? (style_ & ~bit) : (style_ | bit);
            return;
        }
        // Line and paragraph breaks start the next line without a space.
        const bool singleLine = (format_ & kSingleLine) != 0;
        if (!closing && !singleLine) {
            if (tag == Tag::Break) {
                x_ = 0;
                y_ += lineHeight_;
            } else if (tag == Tag::Paragraph) {
                x_ = 0;
                if (start != 0) y_ += lineHeight_ * 3 / 2;
            }
        }
        pendingSpace_ = false;
        SkipSpace();
    }

    void PushColour(std::u16string_view value) {
        const MarkupColour current = surface_.TextColour();
        MarkupColour colour = current;
        ReadColour(value, colour);  // an unreadable value keeps the colour, so the closing tag still balances
        if (depth_ < kColourStackSize) colours_[depth_++] = current;
        surface_.SetTextColour(colour);
    }

    void PopColour() {
        // A closing tag without an opening one restores the bottom entry: the
        // colour the text started with.
        if (depth_ > 0) --depth_;
        surface_.SetTextColour(colours_[depth_]);
    }

    void PlaceWord(std::u16string_view word) {
        if (style_ != selectedStyle_) {
            surface_.SelectStyle(style_);
            selectedStyle_ = style_;
            spaceWidth_ = surface_.TextWidth(u" ");
        }
        const int width = surface_.TextWidth(word);
        if (rect_.Width() < width) rect_.right = rect_.left + width;
        bool newLine = false;
        if (pendingSpace_) {
            x_ += spaceWidth_;
            if (x_ + width > rect_.Width()) {
                if (format_ & kWordBreak) {
                    x_ = 0;
                    y_ += lineHeight_;
                    newLine = true;
                } else {
                    rect_.right = rect_.left + x_ + width;
                }
            }
        }
        if (!measuring_) Draw(word, newLine);
        x_ += width;
        widest_ = std::max(widest_, x_);
        pendingSpace_ = false;
    }

    void Draw(std::u16string_view word, bool newLine) {
        const std::uint32_t format =
            (format_ & ~kCalcRect) | ((style_ & MarkupStyle::kSubscript) ? (kSingleLine | kBottom) : 0);
        const int top = rect_.top + y_;
        if (pendingSpace_ && !newLine && (style_ & MarkupStyle::kUnderline)) {
            // The underline runs on through the gap before the word.
            surface_.DrawWord(u" ", {rect_.left + x_ - spaceWidth_, top, rect_.right, top + lineHeight_}, format);
        }
        surface_.DrawWord(word, {rect_.left + x_, top, rect_.right, top + lineHeight_}, format);
    }

    MarkupSurface& surface_;
    MarkupRect& rect_;
    std::u16string_view text_;
    std::uint32_t format_;
    bool measuring_;

    std::size_t at_ = 0;
    int lineHeight_ = 0;
    int spaceWidth_ = 0;
    int x_ = 0, y_ = 0, widest_ = 0;
    bool pendingSpace_ = false;
    unsigned style_ = 0;
    unsigned selectedStyle_ = 0;
    std::array<MarkupColour, kColourStackSize> colours_{};
    std::size_t depth_ = 0;
};

}  // namespace

int LayoutMarkup(MarkupSurface& surface, MarkupRect& rect, std::u16string_view text, std::uint32_t format) {
    return Layout(surface, rect, text, format).Run();
}

}  // namespace Controls
