// The bytes of a workbook stream under construction, written record by record:
// BeginRecord, the data, EndRecord (which fills in the data length).
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "spreadsheet/BiffRecords.h"
#include "spreadsheet/ByteBuffer.h"

namespace YExcel {

class RecordStream : public ByteBuffer {
public:
    void BeginRecord(std::uint16_t code) {
        assert(!open_);
        U16(code);
        lengthAt_ = Size();
        U16(0);
        open_ = true;
    }

    void EndRecord() {
        assert(open_);
        const std::size_t length = Size() - lengthAt_ - 2;
        assert(length <= Biff::MaxRecordData);
        PatchU16(lengthAt_, static_cast<std::uint16_t>(length));
        open_ = false;
    }

    // Data bytes written so far into the open record.
    std::size_t RecordDataSize() const { return Size() - lengthAt_ - 2; }

private:
    std::size_t lengthAt_ = 0;
    bool open_ = false;
};

// BOF of the workbook globals or of a worksheet, as Excel 97-2003 writes it.
inline void WriteBof(RecordStream& out, std::uint16_t type) {
    out.BeginRecord(Biff::Bof);
    out.U16(0x0600);      // BIFF8
    out.U16(type);
    out.U16(0x19A0);      // build
    out.U16(0x07CD);      // year
    out.U32(0x0000C0C9);  // file history flags
    out.U32(0x00000306);  // lowest version that can read the file
    out.EndRecord();
}

inline void WriteEof(RecordStream& out) {
    out.BeginRecord(Biff::Eof);
    out.EndRecord();
}

}  // namespace YExcel
