// A stand-in for libFuzzer where it is not available: replays every file of a
// corpus folder, then runs a fixed number of seeded random mutations of them.
// Usage: FUZZER CORPUS_DIR ITERATIONS
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Mutate(Bytes input, std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 5);
    const int steps = 1 + static_cast<int>(random() % 4);
    for (int s = 0; s < steps; ++s) {
        const std::size_t at = input.empty() ? 0 : random() % input.size();
        switch (kind(random)) {
            case 0:  // flip a byte
                if (!input.empty()) input[at] ^= static_cast<std::uint8_t>(1 + random() % 255);
                break;
            case 1:  // cut the head off
                input.erase(input.begin(), input.begin() + static_cast<long>(at));
                break;
            case 2:  // insert bytes
                input.insert(input.begin() + static_cast<long>(at), 1 + random() % 8,
                             static_cast<std::uint8_t>(random()));
                break;
            case 3:  // a boundary 32-bit value
                if (input.size() >= 4) {
                    static const std::uint32_t values[] = {0, 1, 2, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 7, 0x10000};
                    const std::uint32_t v = values[random() % 8];
                    const std::size_t p = random() % (input.size() - 3);
                    for (int i = 0; i < 4; ++i) input[p + i] = static_cast<std::uint8_t>(v >> (8 * i));
                }
                break;
            case 4:  // a run of marker bytes
                input.insert(input.begin() + static_cast<long>(at), 20, 0x44);
                break;
            default:  // drop the tail
                input.resize(at);
                break;
        }
    }
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR ITERATIONS\n", argv[0]);
        return 2;
    }
    std::vector<Bytes> corpus;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (corpus.empty()) corpus.emplace_back();
    for (const auto& input : corpus) LLVMFuzzerTestOneInput(input.data(), input.size());

    std::mt19937 random(20131);
    const long iterations = std::atol(argv[2]);
    for (long i = 0; i < iterations; ++i) {
        const Bytes input = Mutate(corpus[random() % corpus.size()], random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu corpus files, %ld mutations: no faults\n", corpus.size(), iterations);
    return 0;
}
