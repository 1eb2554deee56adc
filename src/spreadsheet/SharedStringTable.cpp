#include "spreadsheet/SharedStringTable.h"

#include <algorithm>

namespace YExcel {
namespace {

constexpr std::uint8_t kUtf16Flags = 0x01;
constexpr std::size_t kStringHeaderSize = 3;  // character count and flags
// With less room than this left, a string that does not fit starts afresh in
// the next record instead of being split.
constexpr std::size_t kMinimumSplitRoom = 12;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void WriteCharacters(RecordStream& out, const std::u16string& text, std::size_t first, std::size_t count) {
    for (std::size_t i = first; i < first + count; ++i) out.U16(text[i]);
}

}  // namespace

std::uint32_t SharedStringTable::Add(const std::u16string& text) {
    ++total_;
    const auto next = static_cast<std::uint32_t>(strings_.size());
    const auto inserted = indexes_.emplace(text, next);
    if (inserted.second) strings_.push_back(text);
    return inserted.first->second;
}

void SharedStringTable::Write(RecordStream& out) const {
    out.BeginRecord(Biff::Sst);
    out.U32(total_);
    out.U32(static_cast<std::uint32_t>(strings_.size()));
    auto room = [&out] { return Biff::MaxRecordData - out.RecordDataSize(); };
    auto nextRecord = [&out] {
        out.EndRecord();
        out.BeginRecord(Biff::Continue);
    };

    for (const std::u16string& text : strings_) {
        const std::size_t length = text.size();
        const std::size_t needed = kStringHeaderSize + 2 * length;
        if (needed > room() && room() < kMinimumSplitRoom) nextRecord();

        out.U16(static_cast<std::uint16_t>(length));
        out.U8(kUtf16Flags);
        std::size_t written = 0;
        for (;;) {
            std::size_t count = std::min(length - written, room() / 2);
            // Keep a surrogate pair together: readers decode each piece alone.
            if (written + count < length && count > 1 && IsHighSurrogate(text[written + count - 1]) &&
                IsLowSurrogate(text[written + count])) {
                --count;
            }
            WriteCharacters(out, text, written, count);
            written += count;
            if (written == length) break;
            nextRecord();
            out.U8(kUtf16Flags);  // a continued string repeats its flags
        }
    }
    out.EndRecord();
}

}  // namespace YExcel
