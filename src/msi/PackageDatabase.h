// A Windows Installer package opened read-only, to tell whether a file is a
// package at all and what its properties and File table say. Nothing here
// but SumFileSizes raises: failures show in the answers and in LastResult.
#pragma once

#include <cstdint>
#include <string>

namespace MSIInstaller {

class PackageDatabase {
public:
    PackageDatabase() = default;
    ~PackageDatabase();
    PackageDatabase(const PackageDatabase&) = delete;
    PackageDatabase& operator=(const PackageDatabase&) = delete;

    // True when the package opened. A missing, locked or foreign file (text,
    // empty) gives false. A database opened before is closed first.
    bool Open(const std::u16string& packagePath);

    // Puts the property `name` into `value`. False only when no database is
    // open; a package without the property leaves `value` as it was, so
    // callers tell success by a non-empty text.
    bool ReadProperty(const std::u16string& name, std::u16string& value);
    bool ReadProductVersion(std::u16string& version) { return ReadProperty(u"ProductVersion", version); }

    void Close();

    bool IsOpen() const { return handle_ != 0; }
    // The Win32 result of the last installer call made here (0 = success).
    std::uint32_t LastResult() const { return lastResult_; }
    std::uint32_t Handle() const { return handle_; }

private:
    std::uint32_t handle_ = 0;
    std::uint32_t lastResult_ = 0;
};

// The sum of the open package's FileSize column (0 for a package without
// files). Raises Error when the query fails or a size is missing.
std::int32_t SumFileSizes(const PackageDatabase& database);

}  // namespace MSIInstaller
