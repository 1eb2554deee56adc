// The rules of the component list's markup text: a few HTML-like tags (bold,
// italic, underline, sub- and superscript, coloured fonts, line and paragraph
// breaks) laid out word by word. The rules know nothing of fonts or device
// contexts: a MarkupSurface measures and draws for them, so the same layout
// runs on GDI in the program and on a table of character widths in tests.
#pragma once

#include <cstdint>
#include <string_view>

namespace Controls {

// Style bits of a word; they also index the surface's font cache.
namespace MarkupStyle {
constexpr unsigned kBold = 0x1;
constexpr unsigned kItalic = 0x2;
constexpr unsigned kUnderline = 0x4;
constexpr unsigned kSuperscript = 0x8;
constexpr unsigned kSubscript = 0x10;
constexpr unsigned kCount = 32;
}  // namespace MarkupStyle

// Text drawing flags (the platform's values, named so the rules stay portable).
namespace MarkupFormat {
constexpr std::uint32_t kCenter = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kBottom = 0x8;
constexpr std::uint32_t kWordBreak = 0x10;
constexpr std::uint32_t kSingleLine = 0x20;
constexpr std::uint32_t kTabStop = 0x80;
constexpr std::uint32_t kExternalLeading = 0x200;
constexpr std::uint32_t kCalcRect = 0x400;
constexpr std::uint32_t kNoPrefix = 0x800;
}  // namespace MarkupFormat

struct MarkupRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    bool operator==(const MarkupRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// A colour as 0x00BBGGRR, the platform's layout.
using MarkupColour = std::uint32_t;
constexpr MarkupColour MakeMarkupColour(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

class MarkupSurface {
public:
    // Height of one line in the base font.
    virtual int LineHeight() = 0;
    // Makes the font of these style bits current.
    virtual void SelectStyle(unsigned style) = 0;
    // Width of the text in the current font.
    virtual int TextWidth(std::u16string_view text) = 0;
    virtual MarkupColour TextColour() = 0;
    virtual void SetTextColour(MarkupColour colour) = 0;
    virtual void DrawWord(std::u16string_view text, const MarkupRect& rect, std::uint32_t format) = 0;

protected:
    ~MarkupSurface() = default;
};

// Lays the markup out in `rect` and, unless the format has kCalcRect, draws
// it. A word wider than the rectangle widens it instead of breaking. When
// measuring, `rect` becomes the area the text covers. Returns the height of
// the text above its last line.
int LayoutMarkup(MarkupSurface& surface, MarkupRect& rect, std::u16string_view text, std::uint32_t format);

}  // namespace Controls
