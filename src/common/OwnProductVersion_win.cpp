#include "common/OwnProductVersion.h"

#include <windows.h>

#include <vector>

#include "common/WideText.h"

namespace Common {

std::u16string OwnProductVersion() {
    const std::u16string unknown = u"unknown";
    wchar_t path[MAX_PATH] = {};
    const DWORD pathLength = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH) return unknown;

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return unknown;
    std::vector<std::uint8_t> resource(size);
    if (!GetFileVersionInfoW(path, 0, size, resource.data())) return unknown;

    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(resource.data(), L"\\StringFileInfo\\040904e4\\ProductVersion", &value, &length) ||
        value == nullptr) {
        return unknown;
    }
    // The length counts the terminator when there is one.
    const std::u16string text = FromWide(static_cast<const wchar_t*>(value), length);
    return text.substr(0, text.find(u'\0'));
}

}  // namespace Common
