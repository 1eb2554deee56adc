#include "app/InstallSwitchesFeatures.h"

#include "common/TextUtil.h"
#include "language/TextTables.h"

namespace {

std::u16string_view TrimmedBlanks(std::u16string_view text) {
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

}  // namespace

std::u16string EnglishComponentName(const ComponentEntry& entry) {
    // The first entry of the item, as the language manager takes it.
    for (const ALang_Entry& text : TextTableEnglish)
        if (text.text && text.id == entry.titleText) return text.text;
    return {};
}

std::optional<std::uint32_t> FeatureBitByEnglishName(std::u16string_view name) {
    const std::u16string wanted = Common::ToLowerAscii(TrimmedBlanks(name));
    if (wanted.empty()) return std::nullopt;
    for (const ComponentEntry& entry : ComponentEntries())
        if (Common::ToLowerAscii(EnglishComponentName(entry)) == wanted) return entry.featureBit;
    return std::nullopt;
}
