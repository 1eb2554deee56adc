#include "spreadsheet/OutputFile.h"

#include "spreadsheet/FileAccess.h"

namespace YExcel {

bool OutputFile::Open(const std::u16string& path) {
    Close();
    failed_ = false;
    position_ = 0;
    // A NUL would cut the name short and silently write to another file.
    if (path.empty() || path.find(u'\0') != std::u16string::npos) return false;
    file_.reset(OpenFileForWriting(path));
    return file_ != nullptr;
}

void OutputFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    if (!file_ || failed_) {
        failed_ = true;
        return;
    }
    // Seeking flushes the C runtime's buffer; skip it for sequential writes.
    if (offset != position_ && !SeekFile(file_.get(), offset)) {
        failed_ = true;
        return;
    }
    if (std::fwrite(data, 1, size, file_.get()) != size) {
        failed_ = true;
        return;
    }
    position_ = offset + size;
}

void OutputFile::Flush() {
    if (file_ && std::fflush(file_.get()) != 0) failed_ = true;
}

bool OutputFile::Close() {
    if (!file_) return true;
    const bool flushed = std::fflush(file_.get()) == 0;
    const bool closed = std::fclose(file_.release()) == 0;
    const bool ok = !failed_ && flushed && closed;
    failed_ = false;
    return ok;
}

}  // namespace YExcel
