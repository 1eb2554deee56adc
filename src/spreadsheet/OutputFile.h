// A file open for writing at absolute offsets. Remembers the first failure,
// so that a caller may write a series of blocks and check once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace YExcel {

class OutputFile {
public:
    // Creates or truncates the file. False (and nothing open) when the path is
    // empty, contains a NUL character or cannot be opened.
    bool Open(const std::u16string& path);

    bool IsOpen() const { return file_ != nullptr; }
    bool Failed() const { return failed_; }

    // Writes at the offset; after a failure further writes are ignored.
    void WriteAt(std::uint64_t offset, const void* data, std::size_t size);

    // Hands buffered bytes to the system, so that others see them.
    void Flush();

    // Flushes and closes; false when any write or the close itself failed.
    // True when nothing was open.
    bool Close();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::uint64_t position_ = 0;
    bool failed_ = false;
};

}  // namespace YExcel
