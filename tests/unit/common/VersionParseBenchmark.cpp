// Figures for ParseVersion on long hostile texts: the time per character
// stays flat as the texts grow, which a backtracking matcher cannot offer.
// Run by hand; not a test.
#include <chrono>
#include <cstdio>
#include <string>

#include "common/VersionParse.h"

namespace {

double NanosecondsPerCharacter(const std::u16string& text, int rounds) {
    const auto start = std::chrono::steady_clock::now();
    std::uint32_t sink = 0;
    for (int i = 0; i < rounds; ++i) sink += ParseVersion(text).main;
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    if (sink != 0) std::printf("(unexpected version)\n");
    return elapsed.count() / rounds / static_cast<double>(text.size());
}

}  // namespace

int main() {
    std::printf("%12s %14s %14s %14s\n", "characters", "digits ns/ch", "1.2.3.+digits", "\"1.\" repeated");
    for (std::size_t size = 1000; size <= 10000000; size *= 10) {
        const int rounds = static_cast<int>(20000000 / size) + 1;
        const std::u16string digits(size, u'7');
        const std::u16string tail = u"1.2.3." + std::u16string(size, u'9');
        std::u16string pairs;
        while (pairs.size() < size) pairs += u"1.";
        std::printf("%12zu %14.2f %14.2f %14.2f\n", size, NanosecondsPerCharacter(digits, rounds),
                    NanosecondsPerCharacter(tail, rounds), NanosecondsPerCharacter(pairs, rounds));
    }
    return 0;
}
