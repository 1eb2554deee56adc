#include "app/ConfiguredCopy.h"

#include <windows.h>

#include "common/WideText.h"
#include "common/WinHandles.h"
#include "configuration/StampBlock.h"

namespace {

bool AppendBytes(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    Common::UniqueFile file(CreateFileW(Common::AsWide(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.Get());
}

}  // namespace

BuildResult BuildConfiguredCopy(const std::u16string& source, const std::u16string& target,
                                const std::vector<std::u16string>& entries) {
    if (entries.empty()) return BuildResult::NothingToBuild;
    // Replacing a read-only file is refused, as it would be by a plain copy.
    const DWORD targetAttributes = GetFileAttributesW(Common::AsWide(target));
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY)) {
        return BuildResult::CopyFailed;
    }

    const std::u16string partial = target + u".partial";
    if (!CopyFileW(Common::AsWide(source), Common::AsWide(partial), FALSE)) return BuildResult::CopyFailed;
    // The copy inherits the installer's attributes; a read-only source must
    // not make the partial copy impossible to finish or remove.
    SetFileAttributesW(Common::AsWide(partial), FILE_ATTRIBUTE_NORMAL);

    if (!AppendBytes(partial, StampBlock::Encode(entries)) ||
        !MoveFileExW(Common::AsWide(partial), Common::AsWide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(Common::AsWide(partial));
        return BuildResult::CopyFailed;
    }
    return BuildResult::Built;
}
