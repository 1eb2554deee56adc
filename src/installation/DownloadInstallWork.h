// The work of the download and install page, run on its worker thread:
// download the package (reusing one already in the download folder), check
// that it is the package the configured copy names by its digest (or, without
// one, by the trusted signature of the publisher) and an installer database,
// holding the file unchangeable from that check until the installation has
// read it, remove an installed version when the
// user chose to reinstall, install silently, report the end and save the
// settings. A package travels from the PackageSource through the checks of
// the TargetMachine into its Windows Installer; the DownloadInstallView shows
// the way and the InstallationReports record how it ended. The flow and its
// failure paths are plain logic that tests drive with fakes of the four.
#pragma once

#include <memory>
#include <string>

#include "common/HeldFile.h"
#include "common/InstallationLog.h"
#include "installation/DownloadInstallView.h"
#include "installation/InstallationReports.h"
#include "installation/PackageSource.h"
#include "installation/InstallationOutcome.h"
#include "installation/TargetMachine.h"
#include "msi/PackageFacts.h"

class AsLanguage_Manager;

namespace Installation {

class DownloadInstallWork {
public:
    // The texts it shows come from `languages`; the digest check writes to
    // `log` when there is one.
    DownloadInstallWork(DownloadInstallView& view, PackageSource& source, TargetMachine& machine,
                        InstallationReports& reports, const AsLanguage_Manager& languages,
                        Common::InstallationLog* log = nullptr)
        : view_(view), source_(source), machine_(machine), reports_(reports), languages_(languages), log_(log) {}

    // The whole work; returns how it ended once the wizard has been moved on
    // or told to close.
    Outcome Run();

    // Exposed for tests of the single steps.
    std::u16string DownloadPackage();
    // Installs the package the last check accepted, with the facts it read.
    void InstallPackage(const std::u16string& path);

private:
    // What the check of a package file found. Only an accepted package is
    // installed without a new download; one that is not an installer database
    // goes to the installation, which reports it, after one more download;
    // an unverified one or one that cannot be held never reaches it.
    enum class PackageCheck { Accepted, NotADatabase, Unverified, Rejected };
    enum class InstallAttempt { Installed, Retry, Failed };

    std::u16string TryDownload();
    // Holds the file and checks it: the digest when one is expected, else the
    // publisher's signature; then reads its facts. The hold of an earlier
    // check ends first.
    PackageCheck CheckPackage(const std::u16string& path);
    // A stamped digest alone decides; without one the signature does.
    bool IsVerified(Common::HeldFile& held, const std::u16string& path);
    void AbandonDownload(std::int32_t textItem);
    std::u16string Text(std::int32_t item) const;
    void RemoveInstalledVersion();
    // Failed: the user has been told and the wizard is closing.
    InstallAttempt TryInstall(const std::u16string& path, const std::u16string& commandLine);

    DownloadInstallView& view_;
    PackageSource& source_;
    TargetMachine& machine_;
    InstallationReports& reports_;
    const AsLanguage_Manager& languages_;
    Common::InstallationLog* log_;
    Outcome outcome_ = Outcome::Failed;
    std::unique_ptr<Common::HeldFile> package_;
    MSIInstaller::PackageFacts facts_;  // of the held package
    PackageCheck packageCheck_ = PackageCheck::Rejected;  // of the path DownloadPackage returned
};

// The uninstall command of an installed version turned into a quiet removal:
// every "/I" becomes "/X" and " SHOWSURV=NO /quiet /norestart" is appended.
std::u16string QuietRemovalCommand(std::u16string uninstallCommand);

}  // namespace Installation
