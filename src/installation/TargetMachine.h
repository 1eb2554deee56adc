// The machine the product goes onto: holding and checking the package file,
// the installed version and its removal, the Windows Installer, and the
// settings saved once the product is installed.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/HeldFile.h"
#include "common/VersionRecord.h"
#include "msi/PackageFacts.h"
#include "services/VersionComparison.h"

namespace Installation {

class TargetMachine {
public:
    virtual ~TargetMachine() = default;

    // Called once before the first package arrives: whatever the checks need
    // that does not depend on the package may be readied meanwhile.
    virtual void PrepareChecks() = 0;
    // The package file held unchangeable (nullptr when it cannot be held):
    // checked through it and kept until the installation has read it.
    virtual std::unique_ptr<Common::HeldFile> HoldPackage(const std::u16string& path) = 0;
    // The package carries a trusted Authenticode signature of the publisher
    // this copy names.
    virtual bool IsSignedByPublisher(const std::u16string& path) = 0;
    // What the installation and its reports need of the held, verified
    // package, read from it once.
    virtual MSIInstaller::PackageFacts ReadPackageFacts(const std::u16string& path) = 0;

    virtual VersionComparison CompareInstalledVersion() = 0;
    virtual VersionRecord InstalledVersion() = 0;
    virtual std::u16string UninstallCommand() = 0;
    // Raises StopDownloading when the wizard is closing.
    virtual void RunAndWait(const std::u16string& commandLine) = 0;

    // The properties of the installation: the chosen features and folder.
    virtual std::u16string InstallCommandLine() = 0;
    // Installs the package whose facts ReadPackageFacts gave. Raises
    // StopDownloading when the wizard is closing, else MSIInstaller::Error
    // (or FatalError). True when the installation asks for a restart.
    virtual bool Install(const std::u16string& path, const MSIInstaller::PackageFacts& facts,
                         const std::u16string& commandLine) = 0;
    virtual void SaveSettings() = 0;  // language, install folder, links
};

}  // namespace Installation
