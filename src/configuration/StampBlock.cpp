#include "configuration/StampBlock.h"

namespace StampBlock {
namespace {

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::int32_t ReadInt32(const std::uint8_t* at) {
    const std::uint32_t bits = at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
    return static_cast<std::int32_t>(bits);
}

// Offset just past the last run of twenty marker bytes, or 0 when there is none.
std::size_t FindMarkerEnd(const std::uint8_t* file, std::size_t size) {
    std::size_t run = 0;
    for (std::size_t i = size; i-- > 0;) {
        run = file[i] == kMarkerByte ? run + 1 : 0;
        if (run == kMarkerSize) return i + kMarkerSize;
    }
    return 0;
}

// The text of one entry up to its first NUL; an odd trailing byte is not a character.
std::u16string DecodeText(const std::uint8_t* at, std::size_t byteLength) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < byteLength; i += 2) {
        const auto c = static_cast<char16_t>(at[i] | (at[i + 1] << 8));
        if (c == u'\0') break;
        text += c;
    }
    return text;
}

}  // namespace

std::vector<std::uint8_t> Encode(const std::vector<std::u16string>& entries) {
    std::vector<std::uint8_t> out;
    for (const auto& entry : entries) {
        for (char16_t c : entry) {
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        out.push_back(0);
        out.push_back(0);
        AppendInt32(out, static_cast<std::int32_t>((entry.size() + 1) * 2));
    }
    AppendInt32(out, static_cast<std::int32_t>(entries.size()));
    out.insert(out.end(), kMarkerSize, kMarkerByte);
    return out;
}

std::optional<std::vector<std::u16string>> Parse(const std::uint8_t* file, std::size_t size) {
    const std::size_t markerEnd = FindMarkerEnd(file, size);
    if (markerEnd == 0) return std::nullopt;

    std::vector<std::u16string> entries;
    std::size_t position = markerEnd - kMarkerSize;  // bytes before it are all ours to read
    if (position < 4) return entries;
    position -= 4;
    const std::int32_t count = ReadInt32(file + position);

    // Each entry takes at least its 4-byte length, so the walk ends with the file
    // even when the count claims more.
    for (std::int32_t i = 0; i < count && position >= 4; ++i) {
        position -= 4;
        const std::int32_t length = ReadInt32(file + position);
        if (length <= 0) continue;
        if (static_cast<std::size_t>(length) > position) break;
        position -= static_cast<std::size_t>(length);
        entries.push_back(DecodeText(file + position, static_cast<std::size_t>(length)));
    }
    return entries;
}

}  // namespace StampBlock
