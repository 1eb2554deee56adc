// The integration features a custom installation offers, in the order the
// component page lists them. The page and the command line's feature names
// both come from this one table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct ComponentEntry {
    std::uint32_t featureBit;  // one of FeatureBits
    // Text items of the language tables (ELang_Item), kept as plain numbers:
    // the language library sits beside this one, not below it.
    int titleText;
    int descriptionText;
    std::uint32_t detectedBy;  // listed when the detection mask has any of these bits; 0: always
};

constexpr std::size_t kComponentCount = 9;

// The entries in list order.
const std::array<ComponentEntry, kComponentCount>& ComponentEntries();
