// The looks of the wizard's static texts: the two presets, and the text
// drawing format that follows from a static control's style.
#pragma once

#include <cstdint>
#include <string>

namespace Controls {

// Style bits of a static control and text drawing flags (the platform's
// values, named here so that the rule is portable).
namespace StaticStyle {
constexpr std::uint32_t kTypeMask = 0x1F;
constexpr std::uint32_t kCenter = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kLeftNoWordWrap = 0xC;
constexpr std::uint32_t kCenterImage = 0x200;
}  // namespace StaticStyle
namespace TextFormat {
constexpr std::uint32_t kCenter = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kVCenter = 0x4;
constexpr std::uint32_t kWordBreak = 0x10;
constexpr std::uint32_t kSingleLine = 0x20;
constexpr std::uint32_t kExpandTabs = 0x40;
}  // namespace TextFormat

// The text format for a label of `style` showing `text`.
std::uint32_t LabelTextFormat(std::uint32_t style, const std::u16string& text);

enum class LabelPreset { BodyText = 1, Heading = 2 };

struct LabelLookValues {
    const char16_t* face;
    int height;
    int weight;
    std::uint8_t red, green, blue;
};

// Face "Arial", height 15; body text regular in light blue-grey, headings
// bold in bright blue. Both are drawn transparently.
LabelLookValues LookOf(LabelPreset preset);

}  // namespace Controls
