// Windows: wide paths straight to the C runtime, so any file name works
// whatever the ANSI code page.
#include "spreadsheet/FileAccess.h"

#include <windows.h>

#include <limits>
#include <wchar.h>

#include "common/WideText.h"

namespace YExcel {

std::FILE* OpenFileForWriting(const std::u16string& path) {
    // A read-only file is never overwritten, whatever rights the process has
    // (an administrator, or Wine run as root, could otherwise truncate it).
    const DWORD attributes = GetFileAttributesW(Common::AsWide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return nullptr;
    return _wfopen(Common::AsWide(path), L"wb");
}

bool SeekFile(std::FILE* file, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long long>::max())) return false;
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
}

bool RemoveFile(const std::u16string& path) {
    return _wremove(Common::AsWide(path)) == 0;
}

}  // namespace YExcel
