// Writer of a compound file (structured storage, version 3, 512-byte sectors)
// with streams in its root storage. The allocation table and the directory
// live in memory; every sector is written at its place as soon as it changes,
// and header, allocation table and directory are written again after each
// operation, so the file on disk is a complete container between operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace YExcel {

class CompoundFile {
public:
    // Results of MakeFile and WriteFile.
    enum Result : int {
        Success = 1,
        NotOpen = -1,        // no container is open
        WriteFailed = -2,    // the file refused a write; the container is unusable
        TooLarge = -3,       // the stream does not fit a version 3 container
        NotFound = -4,       // no stream of that name
        BadName = -5,        // empty, or longer than 31 UTF-16 code units
        AlreadyExists = -6,  // a stream of that name exists
    };

    CompoundFile();
    ~CompoundFile();
    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    // Closes any open container, creates or truncates the file and writes an
    // empty container (header, one allocation table sector, the directory
    // with the root entry). False when the file cannot be created or written.
    bool Create(const std::u16string& fileName);

    // Adds an empty stream named by the last '/'-separated component of path.
    int MakeFile(const std::u16string& path);

    // Replaces the contents of an existing stream.
    int WriteFile(const std::u16string& path, const std::uint8_t* bytes, std::size_t size);

    // Closes the file. False when any write since Create failed or the file
    // could not be closed cleanly. Closing without an open file is true.
    bool Close();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace YExcel
