#include "controls/LabelLook.h"

namespace Controls {

std::uint32_t LabelTextFormat(std::uint32_t style, const std::u16string& text) {
    using namespace TextFormat;
    std::uint32_t format;
    switch (style & StaticStyle::kTypeMask) {
        case StaticStyle::kCenter:
            format = kCenter | kWordBreak;
            break;
        case StaticStyle::kRight:
            format = kRight | kWordBreak;
            break;
        case StaticStyle::kLeftNoWordWrap:
            format = 0;
            break;
        default:
            format = kWordBreak;
            break;
    }
    if (text.find(u'\t') != std::u16string::npos) format |= kExpandTabs;
    if (style & StaticStyle::kCenterImage)
        format = text.find(u"\r\n") != std::u16string::npos ? kCenter : kCenter | kVCenter | kSingleLine;
    return format;
}

LabelLookValues LookOf(LabelPreset preset) {
    if (preset == LabelPreset::Heading) return {u"Arial", 15, 700, 5, 145, 254};
    return {u"Arial", 15, 400, 196, 220, 235};
}

}  // namespace Controls
