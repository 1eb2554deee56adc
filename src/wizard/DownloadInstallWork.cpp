#include "wizard/DownloadInstallWork.h"

#include "common/AnsiText.h"
#include "common/Sha256.h"
#include "download/DownloadErrors.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "msi/MsiErrors.h"

namespace Wizard {
namespace {

bool Contains(const std::u16string& text, const char16_t* code) { return text.find(code) != std::u16string::npos; }

}  // namespace

std::u16string QuietRemovalCommand(std::u16string command) {
    for (std::size_t at = command.find(u"/I"); at != std::u16string::npos; at = command.find(u"/I", at + 2)) {
        command[at + 1] = u'X';
    }
    return command + u" SHOWSURV=NO /quiet /norestart";
}

void DownloadInstallWork::Run() {
    host_.ShowStatus(LI_STARTING_DOWNLOAD);
    std::u16string path = DownloadPackage();
    if (path.empty()) return;  // a failure or a cancel has already closed the wizard
    // A transfer that did not give the package gets one more try from the
    // built-in address.
    if (packageCheck_ != PackageCheck::Accepted) {
        host_.ResetDownloadLink();
        path = DownloadPackage();
        if (path.empty()) return;
    }
    if (packageCheck_ == PackageCheck::Rejected) {
        AbandonDownload();
        return;
    }

    host_.ResetProgress();
    host_.SetSweeping(true);
    host_.ShowStatus(LI_INITIALIZING_PACKAGE);
    host_.TakeDownloadMeasurements();
    try {
        InstallPackage(path);
    } catch (const StopDownloading&) {
        // The wizard is going away: nothing is installed and it is not moved on.
        host_.RecordOutcome(WorkPhase::Install, kCancelledByUser, {});
        host_.SetDownloading(false);
        return;
    }
    package_.reset();  // the installation has read it
    host_.SetDownloading(false);
    host_.SaveSettings();
    host_.EnableCancel(true);
    host_.MoveToNextPage();
}

std::u16string DownloadInstallWork::DownloadPackage() {
    host_.ResetProgress();
    host_.SetDownloading(true);
    try {
        return TryDownload();
    } catch (const UDownloadException& error) {
        host_.RecordOutcome(WorkPhase::Download, kDownloadFailure, {});
        if (host_.ShowError(error.Text(), ErrorButtons::CancelRetry) == ErrorChoice::Retry) {
            host_.ResetDownloadLink();
            return DownloadPackage();
        }
    } catch (const StopDownloading&) {
        host_.RecordOutcome(WorkPhase::Download, kCancelledByUser, {});
    } catch (...) {
        AbandonDownload();
        return {};
    }
    host_.SetDownloading(false);
    host_.CloseWizard();
    return {};
}

void DownloadInstallWork::AbandonDownload() {
    host_.RecordOutcome(WorkPhase::Download, kDownloadFailure, {});
    host_.ShowError(LanguageManager().Get_Text(LI_DOWNLOAD_FAILED), ErrorButtons::Close);
    host_.SetDownloading(false);
    host_.CloseWizard();
}

std::u16string DownloadInstallWork::TryDownload() {
    host_.SetUrl(host_.DownloadLink());
    std::u16string path = host_.ResolveTargetPath(host_.DownloadFolder());
    if (path.empty()) {
        host_.ResetDownloadLink();
        host_.SetUrl(host_.DownloadLink());
        path = host_.ResolveTargetPath(host_.DownloadFolder());
    }
    if (!path.empty() && CheckPackage(path) == PackageCheck::Accepted) return path;  // an earlier download is reused
    package_.reset();  // the transfer writes over it
    host_.SetSweeping(false);
    host_.EnableCancel(true);
    path = host_.Download();
    CheckPackage(path);
    return path;
}

DownloadInstallWork::PackageCheck DownloadInstallWork::CheckPackage(const std::u16string& path) {
    package_.reset();
    packageCheck_ = PackageCheck::Rejected;
    auto held = path.empty() ? nullptr : host_.HoldPackage(path);
    if (!held) return packageCheck_;
    // A stamped digest that does not parse names no package: nothing passes.
    const std::u16string expected = host_.ExpectedPackageDigest();
    if (!expected.empty()) {
        const auto wanted = Common::ParseSha256(expected);
        if (!wanted || held->Sha256() != wanted) return packageCheck_;
    }
    package_ = std::move(held);
    packageCheck_ = host_.IsInstallerDatabase(path) ? PackageCheck::Accepted : PackageCheck::NotADatabase;
    return packageCheck_;
}

void DownloadInstallWork::RemoveInstalledVersion() {
    const int comparison = host_.CompareInstalledVersion();
    if (comparison != 1 && comparison != 2) return;
    const std::u16string command = host_.UninstallCommand();
    if (!command.empty()) host_.RunAndWait(QuietRemovalCommand(command));
}

void DownloadInstallWork::InstallPackage(const std::u16string& path) {
    host_.EnableCancel(false);  // an installation cannot be cancelled
    RemoveInstalledVersion();
    host_.ResetProgress();
    const std::u16string commandLine = host_.InstallCommandLine();

    const auto packageVersion = host_.PackageVersion(path);
    const bool install = !packageVersion || host_.InstalledVersion() < *packageVersion;
    try {
        if (install) host_.Install(path, commandLine);
    } catch (const StopDownloading&) {
        throw;
    } catch (const MSIInstaller::Error& error) {
        const std::u16string& text = error.Text();
        if (Contains(text, u"1618") &&
            host_.ShowError(LanguageManager().Get_Text(LI_ANOTHER_INSTALLATION), ErrorButtons::CancelRetry) ==
                ErrorChoice::Retry) {
            InstallPackage(path);
            return;
        }
        host_.RecordOutcome(WorkPhase::Install, kInstallFailure, Common::ToAnsi(text));
        if (Contains(text, u"1601")) {
            host_.ShowError(LanguageManager().Get_Text(LI_INSTALLER_SERVICE_UNAVAILABLE), ErrorButtons::Close);
        }
        host_.CloseWizard();
        host_.SetDownloading(false);
        return;
    } catch (...) {
        host_.RecordOutcome(WorkPhase::Install, kInstallFailure, "unknown install error");
        host_.ShowError(LanguageManager().Get_Text(LI_INSTALLER_SERVICE_UNAVAILABLE), ErrorButtons::Close);
        host_.CloseWizard();
        host_.SetDownloading(false);
        return;
    }
    host_.ReportEnd(path);
}

}  // namespace Wizard
