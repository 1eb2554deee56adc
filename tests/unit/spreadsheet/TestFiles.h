// Scratch folders and byte access for the spreadsheet tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace YExcelTest {

// A fresh folder below the temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("corvane-xls-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path Path(const std::string& name) const { return path_ / name; }
    std::u16string File(const std::string& name) const { return Path(name).u16string(); }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
}

inline std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return U16At(bytes, at) | (static_cast<std::uint32_t>(U16At(bytes, at + 2)) << 16);
}

inline std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint32_t seed = 1) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

}  // namespace YExcelTest
