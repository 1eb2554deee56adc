#include "common/SystemProgram.h"

#include <windows.h>

#include "common/WideText.h"

namespace Common {

std::u16string SystemProgramPath(const std::u16string& commandLine) {
    std::u16string program = BareProgramName(commandLine);
    if (program.empty()) return {};
    // Windows adds ".exe" to a program named without an extension.
    if (program.find(u'.') == std::u16string::npos) program += u".exe";
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::u16string path = FromWide(folder, length) + u"\\" + program;
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return path;
}

}  // namespace Common
