// The package file as the engine writes it: a plain handle of the system's,
// without the stream and locale machinery of the C++ library behind it. No
// bytes are buffered here, so whatever Write reported is with the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Download {

class PackageFile {
public:
    enum class Mode {
        Truncate,  // create the file, or empty it
        Append,    // keep its bytes and write after them; create it when missing
    };

    // Why the last Open or Write failed.
    enum class Fault {
        None,
        NoRoom,  // the volume is full
        Locked,  // another program holds the file, or a range of it
        Other,   // any other failure: no such folder, no access, a device error
    };

    PackageFile() noexcept = default;
    ~PackageFile() { Close(); }
    PackageFile(const PackageFile&) = delete;
    PackageFile& operator=(const PackageFile&) = delete;

    // Opens `path` for writing (others may read it meanwhile), closing the
    // file held before; false when it cannot be opened.
    bool Open(const std::u16string& path, Mode mode);
    bool IsOpen() const noexcept { return handle_ != kNoHandle; }
    void Close() noexcept;

    // Writes all `count` bytes after the file's end; the bytes written, fewer
    // than `count` only when the write failed.
    std::size_t Write(const void* data, std::size_t count);

    // The bytes in the file: those it held when opened to append, and every
    // byte written since.
    std::uint64_t Size() const noexcept { return size_; }

    Fault LastFault() const noexcept { return fault_; }
    // The system's code of the last failure (GetLastError, errno); 0 without one.
    std::int32_t LastSystemError() const noexcept { return systemError_; }

private:
    // A HANDLE on Windows, where INVALID_HANDLE_VALUE is -1, a descriptor natively.
    static constexpr std::intptr_t kNoHandle = -1;

    void Failed(std::int32_t systemError);

    std::intptr_t handle_ = kNoHandle;
    std::uint64_t size_ = 0;
    Fault fault_ = Fault::None;
    std::int32_t systemError_ = 0;
};

// Deletes the file at `path`; false when it is still there.
bool RemovePackageFile(const std::u16string& path);

}  // namespace Download
