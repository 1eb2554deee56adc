#include "common/AppendOnlyFile.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "common/WideText.h"

namespace Common {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// SHCreateDirectoryExW takes full paths only.
std::u16string FullPath(const std::u16string& path) {
    const DWORD length = GetFullPathNameW(AsWide(path), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::vector<wchar_t> full(length);
    if (GetFullPathNameW(AsWide(path), length, full.data(), nullptr) >= length) return path;
    return std::u16string(reinterpret_cast<const char16_t*>(full.data()));
}

std::u16string FolderOf(const std::u16string& path) {
    const std::size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator);
}

}  // namespace

bool AppendOnlyFile::Open(const std::u16string& path) {
    Close();
    const std::u16string folder = FolderOf(FullPath(path));
    if (!folder.empty() && GetFileAttributesW(AsWide(folder)) == INVALID_FILE_ATTRIBUTES) {
        SHCreateDirectoryExW(nullptr, AsWide(folder), nullptr);
    }
    // FILE_APPEND_DATA alone: every write goes to the end, whoever else appends.
    const HANDLE file = CreateFileW(AsWide(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

bool AppendOnlyFile::Append(std::string_view bytes) {
    if (!IsOpen()) return false;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

void AppendOnlyFile::Close() noexcept {
    if (handle_ == kNoHandle) return;
    CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
}

bool RemoveFileAt(const std::u16string& path) {
    return DeleteFileW(AsWide(path)) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace Common
