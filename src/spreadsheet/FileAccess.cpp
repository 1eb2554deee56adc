// Native build: paths become narrow text through the ANSI conversion (UTF-8).
#include "spreadsheet/FileAccess.h"

#include <limits>
#include <sys/types.h>

#include "common/AnsiText.h"

namespace YExcel {

std::FILE* OpenFileForWriting(const std::u16string& path) {
    return std::fopen(Common::ToAnsi(path).c_str(), "wb");
}

bool SeekFile(std::FILE* file, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool RemoveFile(const std::u16string& path) {
    return std::remove(Common::ToAnsi(path).c_str()) == 0;
}

}  // namespace YExcel
