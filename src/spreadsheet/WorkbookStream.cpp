#include "spreadsheet/WorkbookStream.h"

#include <algorithm>

#include "spreadsheet/RecordStream.h"
#include "spreadsheet/SharedStringTable.h"
#include "spreadsheet/WorksheetRecords.h"

namespace YExcel {
namespace {

// The fixed part of the globals: one window, the default fonts, cell formats
// and styles of a new workbook.
constexpr int kFontCount = 4;
constexpr int kXfCount = 21;
constexpr int kStyleCount = 6;
constexpr std::size_t kMaxSheetName = 31;

void WriteWindow1(RecordStream& out) {
    out.BeginRecord(Biff::Window1);
    out.U16(0x0078);  // x
    out.U16(0x0078);  // y
    out.U16(0x3B1F);  // width
    out.U16(0x2454);  // height
    out.U16(0x0038);  // options: scroll bars and sheet tabs shown
    out.U16(0);       // active sheet
    out.U16(0);       // first visible tab
    out.U16(1);       // selected tabs
    out.U16(600);     // tab bar width ratio
    out.EndRecord();
}

void WriteFont(RecordStream& out) {
    out.BeginRecord(Biff::Font);
    out.U16(200);     // height in twips: 10 points
    out.U16(0);       // options
    out.U16(0x7FFF);  // automatic colour
    out.U16(400);     // normal weight
    out.U16(0);       // escapement
    out.U8(0);        // underline
    out.U8(0);        // family
    out.U8(0);        // character set
    out.U8(0);
    const std::u16string name = u"Arial";
    out.U8(static_cast<std::uint8_t>(name.size()));
    out.U8(1);  // UTF-16 characters
    for (char16_t c : name) out.U16(c);
    out.EndRecord();
}

void WriteXf(RecordStream& out) {
    out.BeginRecord(Biff::Xf);
    out.U16(0);       // font
    out.U16(0);       // number format
    out.U16(0xFFF5);  // type and protection
    out.U8(0x20);     // alignment: bottom
    out.U8(0);        // rotation
    out.U8(0);        // text options
    out.U8(0);        // used attributes
    out.U32(0);       // border lines
    out.U32(0);       // border colours
    out.U16(0x20C0);  // fill colours
    out.EndRecord();
}

void WriteStyle(RecordStream& out) {
    out.BeginRecord(Biff::Style);
    out.U16(0x8000);  // built-in style of cell format 0
    out.U8(0);        // style id: Normal
    out.U8(0xFF);     // outline level: none
    out.EndRecord();
}

// Returns the offset of the stream position to fill in later.
std::size_t WriteBoundSheet(RecordStream& out, const std::string& name) {
    out.BeginRecord(Biff::BoundSheet);
    const std::size_t positionAt = out.Size();
    out.U32(0);
    out.U8(0);  // visible
    out.U8(0);  // worksheet
    const std::size_t length = std::min(name.size(), kMaxSheetName);
    out.U8(static_cast<std::uint8_t>(length));
    out.U8(0);  // 8-bit characters
    for (std::size_t i = 0; i < length; ++i) out.U8(static_cast<std::uint8_t>(name[i]));
    out.EndRecord();
    return positionAt;
}

}  // namespace

std::vector<std::uint8_t> BuildWorkbookStream(const std::vector<Worksheet>& sheets) {
    SharedStringTable strings;
    for (const Worksheet& sheet : sheets) {
        for (const auto& entry : sheet.Cells()) {
            if (entry.second.GetKind() == Cell::Kind::WString) strings.Add(entry.second.GetWString());
        }
    }

    RecordStream out;
    WriteBof(out, Biff::BofWorkbookGlobals);
    WriteWindow1(out);
    for (int i = 0; i < kFontCount; ++i) WriteFont(out);
    for (int i = 0; i < kXfCount; ++i) WriteXf(out);
    for (int i = 0; i < kStyleCount; ++i) WriteStyle(out);
    std::vector<std::size_t> positionsAt;
    for (const Worksheet& sheet : sheets) positionsAt.push_back(WriteBoundSheet(out, sheet.GetName()));
    strings.Write(out);
    WriteEof(out);

    for (std::size_t i = 0; i < sheets.size(); ++i) {
        out.PatchU32(positionsAt[i], static_cast<std::uint32_t>(out.Size()));
        WriteWorksheet(out, sheets[i], i == 0, strings);
    }
    return out.Release();
}

}  // namespace YExcel
