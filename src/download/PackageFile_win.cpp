#include "download/PackageFile.h"

#include <windows.h>

#include <algorithm>

#include "common/WideText.h"

namespace Download {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

PackageFile::Fault FaultOf(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return PackageFile::Fault::NoRoom;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return PackageFile::Fault::Locked;
        default: return PackageFile::Fault::Other;
    }
}

// WriteFile takes 32-bit counts; a callback's block is far below that.
constexpr std::size_t kLargestWrite = 1u << 30;

}  // namespace

void PackageFile::Failed(std::int32_t systemError) {
    systemError_ = systemError;
    fault_ = FaultOf(static_cast<DWORD>(systemError));
}

bool PackageFile::Open(const std::u16string& path, Mode mode) {
    Close();
    fault_ = Fault::None;
    systemError_ = 0;
    size_ = 0;
    HANDLE file = CreateFileW(Common::AsWide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              mode == Mode::Truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Failed(static_cast<std::int32_t>(GetLastError()));
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (mode == Mode::Append) {
        LARGE_INTEGER end{};
        if (!SetFilePointerEx(file, LARGE_INTEGER{}, &end, FILE_END)) {
            Failed(static_cast<std::int32_t>(GetLastError()));
            Close();
            return false;
        }
        size_ = static_cast<std::uint64_t>(end.QuadPart);
    }
    return true;
}

void PackageFile::Close() noexcept {
    if (handle_ == kNoHandle) return;
    CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
}

std::size_t PackageFile::Write(const void* data, std::size_t count) {
    const char* next = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < count) {
        const DWORD wanted = static_cast<DWORD>(std::min(count - written, kLargestWrite));
        DWORD done = 0;
        if (!WriteFile(AsHandle(handle_), next + written, wanted, &done, nullptr)) {
            Failed(static_cast<std::int32_t>(GetLastError()));
            written += done;
            break;
        }
        if (done == 0) {  // nothing taken and no error named: the volume took no more
            Failed(ERROR_DISK_FULL);
            break;
        }
        written += done;
    }
    size_ += written;
    return written;
}

bool RemovePackageFile(const std::u16string& path) {
    return DeleteFileW(Common::AsWide(path)) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace Download
