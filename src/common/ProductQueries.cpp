#include "common/ProductQueries.h"

#include <array>
#include <set>

#include "common/VersionParse.h"

namespace Common {

std::vector<std::u16string> CollectProductCodes(const ProductCodeAt& productAt) {
    std::vector<std::u16string> codes;
    std::set<std::u16string> seen;
    for (std::uint32_t index = 0;; ++index) {
        auto code = productAt(index);
        if (!code || !seen.insert(*code).second) break;
        codes.push_back(std::move(*code));
    }
    return codes;
}

std::optional<VersionRecord> ReadVersionString(std::u16string_view text) {
    if (text.empty()) return std::nullopt;
    std::array<std::uint32_t, 4> numbers{};
    std::size_t start = 0;
    for (std::size_t index = 0; index < numbers.size() && start <= text.size(); ++index) {
        auto end = text.find(u'.', start);
        if (end == std::u16string_view::npos) end = text.size();
        const auto number = ParseDecimal(text.substr(start, end - start));
        if (!number) return std::nullopt;
        numbers[index] = *number;
        start = end + 1;  // past the end after the last part
    }
    return VersionRecord{numbers[0], numbers[1], numbers[2], numbers[3]};
}

}  // namespace Common
