// The integration features by the names the component page shows in English.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "configuration/ComponentList.h"

// The entry's title in the English text table.
std::u16string EnglishComponentName(const ComponentEntry& entry);

// The feature bit of the entry whose English title is `name`, compared without
// regard to ASCII case and to spaces and tabs around it.
std::optional<std::uint32_t> FeatureBitByEnglishName(std::u16string_view name);
