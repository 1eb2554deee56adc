#include "common/AppendOnlyFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>

namespace Common {

bool AppendOnlyFile::Open(const std::u16string& path) {
    Close();
    const std::filesystem::path file(path);
    std::error_code ignored;  // a folder that cannot be made fails the open below
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
    int descriptor = -1;
    do {
        descriptor = ::open(file.string().c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return false;
    handle_ = descriptor;
    return true;
}

bool AppendOnlyFile::Append(std::string_view bytes) {
    if (!IsOpen()) return false;
    while (!bytes.empty()) {
        const ssize_t done =
            ::write(static_cast<int>(handle_), bytes.data(), std::min<std::size_t>(bytes.size(), SSIZE_MAX));
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

void AppendOnlyFile::Close() noexcept {
    if (handle_ == kNoHandle) return;
    ::close(static_cast<int>(handle_));
    handle_ = kNoHandle;
}

bool RemoveFileAt(const std::u16string& path) {
    std::error_code error;
    std::filesystem::remove(std::filesystem::path(path), error);
    return !error;
}

}  // namespace Common
