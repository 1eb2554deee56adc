#include "common/WinEx.h"

#include <windows.h>

#include "common/TextUtil.h"
#include "common/WideText.h"
#include "common/WinHandles.h"

namespace Common {
namespace {

std::u16string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
        code, 0x400, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    UniqueLocal owner(buffer);
    if (length == 0 || buffer == nullptr) return u"Unknown error.";
    return FromWide(buffer, length) + u".";
}

std::u16string Describe(DWORD code, const char* file, int line) {
    return u"Win32 error in file " + Ascii(file) + u" in line " + DecimalText(static_cast<std::int64_t>(line)) +
           u" code = " + DecimalText(static_cast<std::uint64_t>(code)) + u". " + u"Message: " + SystemMessage(code);
}

}  // namespace

const char* SourceFileName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\') name = p + 1;
    }
    return name;
}

WinEx::WinEx(unsigned long code, const char* sourceFile, int line)
    : Text(Describe(code, sourceFile, line)), code_(code) {}

WinEx::WinEx(int line) : WinEx(GetLastError(), "Registry_win.cpp", line) {}

}  // namespace Common
