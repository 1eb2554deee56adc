// A growing byte buffer with little-endian appends and patches: the byte
// order of both the compound file and the workbook records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace YExcel {

class ByteBuffer {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void U64(std::uint64_t value) {
        U32(static_cast<std::uint32_t>(value));
        U32(static_cast<std::uint32_t>(value >> 32));
    }
    void Fill(std::uint8_t value, std::size_t count) { bytes_.insert(bytes_.end(), count, value); }

    void PatchU16(std::size_t offset, std::uint16_t value) {
        bytes_[offset] = static_cast<std::uint8_t>(value);
        bytes_[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    void PatchU32(std::size_t offset, std::uint32_t value) {
        PatchU16(offset, static_cast<std::uint16_t>(value));
        PatchU16(offset + 2, static_cast<std::uint16_t>(value >> 16));
    }

    std::size_t Size() const { return bytes_.size(); }
    void Reserve(std::size_t size) { bytes_.reserve(size); }
    const std::uint8_t* Data() const { return bytes_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Release() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace YExcel
