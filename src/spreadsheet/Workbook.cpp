#include "spreadsheet/Workbook.h"

#include <new>

#include "spreadsheet/CompoundFile.h"
#include "spreadsheet/FileAccess.h"
#include "spreadsheet/WorkbookStream.h"

namespace YExcel {
namespace {

const std::u16string kStreamName = u"Workbook";

bool WriteContainer(const std::u16string& fileName, const std::vector<std::uint8_t>& stream) {
    CompoundFile file;
    if (!file.Create(fileName)) return false;
    const bool written = file.MakeFile(kStreamName) == CompoundFile::Success &&
                         file.WriteFile(kStreamName, stream.data(), stream.size()) == CompoundFile::Success;
    if (file.Close() && written) return true;
    // A container without a complete workbook must not pass for one.
    RemoveFile(fileName);
    return false;
}

}  // namespace

Workbook::Workbook() { New(); }

void Workbook::New() {
    sheets_.clear();
    sheets_.emplace_back("Sheet1");
    sheets_.emplace_back("Sheet2");
}

Worksheet* Workbook::GetWorksheet(const std::string& name) {
    for (Worksheet& sheet : sheets_) {
        if (sheet.GetName() == name) return &sheet;
    }
    return nullptr;
}

bool Workbook::SaveAs(const std::u16string& fileName) const {
    std::vector<std::uint8_t> stream;
    try {
        stream = BuildWorkbookStream(sheets_);
    } catch (const std::bad_alloc&) {
        return false;  // nothing touched on disk yet
    }
    return WriteContainer(fileName, stream);
}

}  // namespace YExcel
