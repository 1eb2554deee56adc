// SHA-256 (FIPS 180-4) of byte streams, and digests written as hexadecimal
// text. Our own small implementation: the one user, the package check, needs
// it in the portable flow as much as on Windows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Common {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();

    void Update(const void* data, std::size_t size);
    // The digest of everything given to Update; the object starts over after it.
    Sha256Digest Finish();

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(std::string_view bytes);

// A digest from 64 hexadecimal digits of either case; nullopt for anything
// else, blanks included.
std::optional<Sha256Digest> ParseSha256(std::u16string_view hex);
// The 64 lower-case hexadecimal digits ParseSha256 reads back.
std::string Sha256Text(const Sha256Digest& digest);

}  // namespace Common
