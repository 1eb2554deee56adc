// Silent installation of a Windows Installer package with a percentage for
// the progress bar, and the package size that the percentage is based on.
#pragma once

#include <cstdint>
#include <string>

#include "common/InstallationLog.h"
#include "msi/InstallMessageHandler.h"
#include "msi/MsiErrors.h"
#include "msi/PackageFacts.h"

namespace MSIInstaller {

// One driver per installation attempt. Constructing it resets the
// process-wide message handler and registers it with the Windows Installer,
// which then shows no dialogs of its own (except to locate source media).
//
// With a log, the package, the command line and the Windows Installer's
// return code go to it, and the Windows Installer writes its own verbose log
// beside the log's file (MsiLogPathBeside), appended to by every attempt.
class Installer {
public:
    explicit Installer(InstallProgressCallback progress, Common::InstallationLog* log = nullptr);
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    // Installs the package, whose facts were read from it as it is now, with
    // the command line (properties such as "ADDLOCAL=... INSTALLDIR=\"...\"";
    // may be empty) and returns when the installation has ended. Raises the
    // facts' measureFailure before anything else (FatalError when the package
    // could not be opened, Error when it could not be measured), FatalError
    // when the installer reports a failure (its code is in the text and in
    // Result()), Error when the installer's messages report a fatal exit, an
    // error or a warning. Returns true when the installation succeeded and
    // asks for a restart of the machine to complete.
    bool Install(const std::u16string& packagePath, const PackageFacts& facts, const std::u16string& commandLine);

    // The package being installed, kept for the caller's reports.
    const std::u16string& PackagePath() const { return packagePath_; }
    void SetPackagePath(std::u16string path) { packagePath_ = std::move(path); }

private:
    std::u16string packagePath_;
    Common::InstallationLog* log_;
};

}  // namespace MSIInstaller
