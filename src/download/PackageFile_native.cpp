#include "download/PackageFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>

namespace Download {
namespace {

PackageFile::Fault FaultOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return PackageFile::Fault::NoRoom;
        case ETXTBSY:
        case EBUSY:
        case EAGAIN: return PackageFile::Fault::Locked;
        default: return PackageFile::Fault::Other;
    }
}

int AsDescriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

void PackageFile::Failed(std::int32_t systemError) {
    systemError_ = systemError;
    fault_ = FaultOf(systemError);
}

bool PackageFile::Open(const std::u16string& path, Mode mode) {
    Close();
    fault_ = Fault::None;
    systemError_ = 0;
    size_ = 0;
    const std::string name = std::filesystem::path(path).string();
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::Truncate ? O_TRUNC : O_APPEND);
    int descriptor = -1;
    do {
        descriptor = ::open(name.c_str(), flags, 0644);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        Failed(errno);
        return false;
    }
    handle_ = descriptor;
    if (mode == Mode::Append) {
        const off_t end = ::lseek(descriptor, 0, SEEK_END);
        if (end < 0) {
            Failed(errno);
            Close();
            return false;
        }
        size_ = static_cast<std::uint64_t>(end);
    }
    return true;
}

void PackageFile::Close() noexcept {
    if (handle_ == kNoHandle) return;
    ::close(AsDescriptor(handle_));
    handle_ = kNoHandle;
}

std::size_t PackageFile::Write(const void* data, std::size_t count) {
    const char* next = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < count) {
        const ssize_t done = ::write(AsDescriptor(handle_), next + written, std::min<std::size_t>(count - written, SSIZE_MAX));
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            Failed(errno);
            break;
        }
        if (done == 0) {  // nothing taken and no error named: the volume took no more
            Failed(ENOSPC);
            break;
        }
        written += static_cast<std::size_t>(done);
    }
    size_ += written;
    return written;
}

bool RemovePackageFile(const std::u16string& path) {
    return ::unlink(std::filesystem::path(path).string().c_str()) == 0 || errno == ENOENT;
}

}  // namespace Download
