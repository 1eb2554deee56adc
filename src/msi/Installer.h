// Silent installation of a Windows Installer package with a percentage for
// the progress bar, and the package size that the percentage is based on.
#pragma once

#include <cstdint>
#include <string>

#include "msi/InstallMessageHandler.h"
#include "msi/MsiErrors.h"

namespace MSIInstaller {

// One driver per installation attempt. Constructing it resets the
// process-wide message handler and registers it with the Windows Installer,
// which then shows no dialogs of its own (except to locate source media).
class Installer {
public:
    explicit Installer(InstallProgressCallback progress);
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    // Installs the package with the command line (properties such as
    // "ADDLOCAL=... INSTALLDIR=\"...\""; may be empty) and returns when the
    // installation has ended. Raises FatalError when the package cannot be
    // opened or the installer reports a failure (its code is in the text and
    // in Result()),
    // Error when the package cannot be measured or the installer's messages
    // report a fatal exit, an error or a warning.
    void Install(const std::u16string& packagePath, const std::u16string& commandLine);

    // The package being installed, kept for the caller's reports.
    const std::u16string& PackagePath() const { return packagePath_; }
    void SetPackagePath(std::u16string path) { packagePath_ = std::move(path); }

private:
    std::u16string packagePath_;
};

// The sum of the package's FileSize column (0 for a package without files).
// Raises FatalError when the package cannot be opened, Error when the query
// fails or a size is missing.
std::int32_t SumFileSizes(const std::u16string& packagePath);

}  // namespace MSIInstaller
