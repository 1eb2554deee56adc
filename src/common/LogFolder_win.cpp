#include "common/LogFolder.h"

#include <windows.h>

#include "common/UniqueResource.h"
#include "common/WideText.h"

namespace Common {
namespace {

struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { FindClose(handle); }
};

}  // namespace

std::u16string TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(folder), length);
}

std::vector<std::u16string> FileNamesIn(const std::u16string& folder) {
    std::u16string pattern = folder;
    if (!pattern.empty() && pattern.back() != u'\\' && pattern.back() != u'/') pattern += u'\\';
    pattern += u'*';
    WIN32_FIND_DATAW found{};
    const UniqueResource<FindTraits> search(FindFirstFileW(AsWide(pattern), &found));
    std::vector<std::u16string> names;
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.emplace_back(reinterpret_cast<const char16_t*>(found.cFileName));
        }
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

}  // namespace Common
