// A product version: four unsigned numbers, most significant first. Records
// compare number by number in that order; 0.0.0.0 means "no version known".
#pragma once

#include <cstdint>
#include <tuple>

struct VersionRecord {
    std::uint32_t main = 0;
    std::uint32_t minor = 0;
    std::uint32_t build1 = 0;
    std::uint32_t build2 = 0;

    bool IsNone() const { return main == 0 && minor == 0 && build1 == 0 && build2 == 0; }

    friend bool operator<(const VersionRecord& a, const VersionRecord& b) {
        return std::tie(a.main, a.minor, a.build1, a.build2) < std::tie(b.main, b.minor, b.build1, b.build2);
    }
    friend bool operator==(const VersionRecord& a, const VersionRecord& b) {
        return std::tie(a.main, a.minor, a.build1, a.build2) == std::tie(b.main, b.minor, b.build1, b.build2);
    }
    friend bool operator!=(const VersionRecord& a, const VersionRecord& b) { return !(a == b); }
    friend bool operator>(const VersionRecord& a, const VersionRecord& b) { return b < a; }
};
