#include "common/FileSystem.h"

#include <windows.h>

#include "common/WideText.h"
#include "common/WinHandles.h"

namespace Common {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::u16string& path) {
    UniqueFile file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 24));
        if (!ReadFile(file.Get(), data.data() + done, chunk, &read, nullptr) || read == 0) return std::nullopt;
        done += read;
    }
    return data;
}

std::u16string ModulePath() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // a long path: \\?\ prefixes and deep folders
    }
}

bool EnsureFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return CreateDirectoryW(AsWide(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace Common
