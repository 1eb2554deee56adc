// A file that is only ever appended to, each write reaching the system at
// once, so that what was written survives a crash of the process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Common {

class AppendOnlyFile {
public:
    AppendOnlyFile() = default;
    ~AppendOnlyFile() { Close(); }
    AppendOnlyFile(const AppendOnlyFile&) = delete;
    AppendOnlyFile& operator=(const AppendOnlyFile&) = delete;

    // Opens `path` for appending, creating it and its missing folders; other
    // programs may read it meanwhile. False when it cannot be opened.
    bool Open(const std::u16string& path);
    // Appends all of `bytes`; false when the system took less.
    bool Append(std::string_view bytes);
    void Close() noexcept;
    bool IsOpen() const noexcept { return handle_ != kNoHandle; }

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};

// Removes the file; false when it is still there.
bool RemoveFileAt(const std::u16string& path);

}  // namespace Common
