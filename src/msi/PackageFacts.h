// What the installation needs to know of a package, read in one open of its
// database once the file is held and verified, and handed along from the
// check to the installation and the end report instead of opening the file
// again for each question.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace MSIInstaller {

struct PackageFacts {
    bool isDatabase = false;
    // The "ProductCode" and "ProductVersion" properties as read; empty when
    // the package carries none.
    std::u16string productCode;
    std::u16string productVersion;
    // The sum of the FileSize column, which the installation's percentage is
    // based on (0 for a package without files).
    std::int32_t fileSizeSum = 0;
    // Why the package could not be measured (no database, an unreadable
    // File table): the installation raises it before it starts.
    std::exception_ptr measureFailure;
};

// (Windows) The facts of the package at `path`. Never raises: a file that is
// no package gives isDatabase false and its open failure as measureFailure.
PackageFacts ReadPackageFacts(const std::u16string& path);

}  // namespace MSIInstaller
