#include "installation/DownloadInstallWork.h"

#include "common/AnsiText.h"
#include "common/VersionParse.h"
#include "download/DownloadErrors.h"
#include "installation/DownloadFailureText.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "msi/MsiErrors.h"
#include "msi/PackageChecks.h"

namespace Installation {

std::u16string QuietRemovalCommand(std::u16string command) {
    for (std::size_t at = command.find(u"/I"); at != std::u16string::npos; at = command.find(u"/I", at + 2)) {
        command[at + 1] = u'X';
    }
    return command + u" SHOWSURV=NO /quiet /norestart";
}

std::u16string DownloadInstallWork::Text(std::int32_t item) const { return languages_.Get_Text(item); }

Outcome DownloadInstallWork::Run() {
    view_.ShowStatus(LI_STARTING_DOWNLOAD);
    machine_.PrepareChecks();
    std::u16string path = DownloadPackage();
    if (path.empty()) return outcome_;  // a failure or a cancel has already closed the wizard
    // A transfer that did not give the package gets one more try from the
    // built-in address.
    if (packageCheck_ != PackageCheck::Accepted) {
        source_.ResetDownloadLink();
        path = DownloadPackage();
        if (path.empty()) return outcome_;
    }
    if (packageCheck_ == PackageCheck::Unverified) {
        AbandonDownload(LI_PACKAGE_NOT_VERIFIED);
        return outcome_;
    }
    if (packageCheck_ == PackageCheck::Rejected) {
        AbandonDownload(LI_DOWNLOAD_FAILED);
        return outcome_;
    }

    view_.ResetProgress();
    view_.SetSweeping(true);
    view_.ShowStatus(LI_INITIALIZING_PACKAGE);
    source_.TakeDownloadMeasurements();
    try {
        InstallPackage(path);
    } catch (const StopDownloading&) {
        // The wizard is going away: nothing is installed and it is not moved on.
        reports_.RecordOutcome(WorkPhase::Install, kCancelledByUser, {});
        view_.SetDownloading(false);
        return Outcome::Cancelled;
    }
    package_.reset();  // the installation has read it
    // A failed installation has told the user and closed the wizard: no
    // settings of a product that is not there, and no next page.
    if (!IsSuccess(outcome_) && outcome_ != Outcome::NewerVersionInstalled) return outcome_;
    view_.SetDownloading(false);
    machine_.SaveSettings();
    view_.EnableCancel(true);
    view_.MoveToNextPage();
    return outcome_;
}

std::u16string DownloadInstallWork::DownloadPackage() {
    for (;;) {
        view_.ResetProgress();
        view_.SetDownloading(true);
        try {
            return TryDownload();
        } catch (const UDownloadException& error) {
            reports_.RecordOutcome(WorkPhase::Download, kDownloadFailure, {});
            outcome_ = Outcome::Failed;
            const ErrorChoice choice =
                view_.ShowError(DownloadFailureText(languages_, error), ErrorButtons::CancelRetry);
            if (choice != ErrorChoice::Retry) break;
            // The retry goes to the built-in address; a transfer of the same
            // target continues the bytes the failed one left.
            source_.ResetDownloadLink();
        } catch (const StopDownloading&) {
            reports_.RecordOutcome(WorkPhase::Download, kCancelledByUser, {});
            outcome_ = Outcome::Cancelled;
            break;
        } catch (...) {
            AbandonDownload(LI_DOWNLOAD_FAILED);
            return {};
        }
    }
    view_.SetDownloading(false);
    view_.CloseWizard();
    return {};
}

void DownloadInstallWork::AbandonDownload(std::int32_t textItem) {
    reports_.RecordOutcome(WorkPhase::Download, kDownloadFailure, {});
    outcome_ = Outcome::Failed;
    view_.ShowError(Text(textItem), ErrorButtons::Close);
    view_.SetDownloading(false);
    view_.CloseWizard();
}

std::u16string DownloadInstallWork::TryDownload() {
    source_.SetUrl(source_.DownloadLink());
    std::u16string path = source_.ResolveTargetPath(source_.DownloadFolder());
    if (path.empty()) {
        source_.ResetDownloadLink();
        source_.SetUrl(source_.DownloadLink());
        path = source_.ResolveTargetPath(source_.DownloadFolder());
    }
    if (!path.empty() && CheckPackage(path) == PackageCheck::Accepted) return path;  // an earlier download is reused
    package_.reset();  // the transfer writes over it
    facts_ = {};
    view_.SetSweeping(false);
    view_.EnableCancel(true);
    path = source_.Download();
    CheckPackage(path);
    return path;
}

DownloadInstallWork::PackageCheck DownloadInstallWork::CheckPackage(const std::u16string& path) {
    package_.reset();
    facts_ = {};
    packageCheck_ = PackageCheck::Rejected;
    auto held = path.empty() ? nullptr : machine_.HoldPackage(path);
    if (!held) return packageCheck_;
    if (!IsVerified(*held, path)) {
        packageCheck_ = PackageCheck::Unverified;
        return packageCheck_;
    }
    package_ = std::move(held);
    facts_ = machine_.ReadPackageFacts(path);
    packageCheck_ = facts_.isDatabase ? PackageCheck::Accepted : PackageCheck::NotADatabase;
    return packageCheck_;
}

bool DownloadInstallWork::IsVerified(Common::HeldFile& held, const std::u16string& path) {
    const std::u16string expected = source_.ExpectedPackageDigest();
    if (expected.empty()) return machine_.IsSignedByPublisher(path);
    return MSIInstaller::MatchesExpectedDigest(held, expected, log_);
}

void DownloadInstallWork::RemoveInstalledVersion() {
    if (machine_.CompareInstalledVersion() == VersionComparison::NotInstalledOrOlder) return;
    const std::u16string command = machine_.UninstallCommand();
    if (!command.empty()) machine_.RunAndWait(QuietRemovalCommand(command));
}

void DownloadInstallWork::InstallPackage(const std::u16string& path) {
    // Another installation in progress may be waited out: each retry starts
    // over with the removal, keeping the package held.
    for (;;) {
        view_.EnableCancel(false);  // an installation cannot be cancelled
        RemoveInstalledVersion();
        view_.ResetProgress();
        const std::u16string commandLine = machine_.InstallCommandLine();

        // Nothing to install over the same or a newer version; the end is still reported.
        if (!facts_.productVersion.empty()) {
            const VersionRecord installed = machine_.InstalledVersion();
            const VersionRecord offered = ParseVersion(facts_.productVersion);
            if (!(installed < offered)) {
                outcome_ = offered < installed ? Outcome::NewerVersionInstalled : Outcome::SameVersionInstalled;
                break;
            }
        }
        const InstallAttempt attempt = TryInstall(path, commandLine);
        if (attempt == InstallAttempt::Installed) break;
        if (attempt == InstallAttempt::Failed) return;
    }
    reports_.ReportEnd(facts_);
}

DownloadInstallWork::InstallAttempt DownloadInstallWork::TryInstall(const std::u16string& path,
                                                                    const std::u16string& commandLine) {
    try {
        outcome_ = machine_.Install(path, facts_, commandLine) ? Outcome::InstalledRestartNeeded : Outcome::Installed;
        return InstallAttempt::Installed;
    } catch (const StopDownloading&) {
        throw;
    } catch (const MSIInstaller::Error& error) {
        outcome_ = Outcome::Failed;
        if (error.Result() == MSIInstaller::kInstallAlreadyRunning) {
            if (view_.ShowError(Text(LI_ANOTHER_INSTALLATION), ErrorButtons::CancelRetry) == ErrorChoice::Retry) {
                return InstallAttempt::Retry;
            }
            outcome_ = Outcome::AnotherInstallation;
        }
        reports_.RecordOutcome(WorkPhase::Install, kInstallFailure, Common::ToAnsi(error.Text()));
        if (error.Result() == MSIInstaller::kInstallServiceFailure) {
            view_.ShowError(Text(LI_INSTALLER_SERVICE_UNAVAILABLE), ErrorButtons::Close);
        }
    } catch (...) {
        outcome_ = Outcome::Failed;
        reports_.RecordOutcome(WorkPhase::Install, kInstallFailure, "unknown install error");
        view_.ShowError(Text(LI_INSTALLER_SERVICE_UNAVAILABLE), ErrorButtons::Close);
    }
    view_.CloseWizard();
    view_.SetDownloading(false);
    return InstallAttempt::Failed;
}

}  // namespace Installation
