// The work of the download and install page, run on its worker thread:
// download the package (reusing one already in the download folder), check
// that it is the package the configured copy names by its digest and an
// installer database, holding the file unchangeable from that check until the
// installation has read it, remove an installed version when the
// user chose to reinstall, install silently, report the end and save the
// settings. Everything it touches goes through DownloadInstallHost, so the
// flow and its failure paths are plain logic that tests drive with a fake.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/HeldFile.h"
#include "common/VersionRecord.h"

namespace Wizard {

enum class ErrorButtons { CancelRetry, Close };
enum class ErrorChoice { Retry, Cancel };
enum class WorkPhase { Download, Install };

// Reason codes of the outcome record.
enum CancelReason : int { kCancelledByUser = 1, kDownloadFailure = 2, kInstallFailure = 3 };

class DownloadInstallHost {
public:
    virtual ~DownloadInstallHost() = default;

    // --- the page ---
    virtual void ShowStatus(std::int32_t textItem) = 0;
    virtual void ResetProgress() = 0;  // a new phase: the bar starts from 0
    virtual void SetSweeping(bool sweeping) = 0;
    virtual void EnableCancel(bool enabled) = 0;
    virtual void SetDownloading(bool downloading) = 0;  // runs or ends the carousel driver
    virtual ErrorChoice ShowError(const std::u16string& text, ErrorButtons buttons) = 0;
    virtual void RecordOutcome(WorkPhase phase, int reason, const std::string& errorText) = 0;
    virtual void CloseWizard() = 0;     // posted: the wizard ends
    virtual void MoveToNextPage() = 0;  // sent: the wizard shows the next page

    // --- configuration ---
    virtual std::u16string DownloadLink() = 0;
    virtual void ResetDownloadLink() = 0;
    virtual std::u16string DownloadFolder() = 0;
    virtual std::u16string InstallCommandLine() = 0;
    virtual void SaveSettings() = 0;  // language, install folder, links
    // The package's SHA-256 in hexadecimal as the configured copy names it;
    // empty: any package is taken.
    virtual std::u16string ExpectedPackageDigest() = 0;

    // --- the download engine (raises UDownloadException, StopDownloading) ---
    virtual void SetUrl(const std::u16string& url) = 0;
    virtual std::u16string ResolveTargetPath(const std::u16string& folder) = 0;
    virtual std::u16string Download() = 0;
    virtual void TakeDownloadMeasurements() = 0;

    // --- packages and products ---
    // The package file held unchangeable (nullptr when it cannot be held):
    // checked through it and kept until the installation has read it.
    virtual std::unique_ptr<Common::HeldFile> HoldPackage(const std::u16string& path) = 0;
    virtual bool IsInstallerDatabase(const std::u16string& path) = 0;
    virtual int CompareInstalledVersion() = 0;  // 1 same, 2 newer installed: remove first
    virtual std::u16string UninstallCommand() = 0;
    // RunAndWait and Install raise StopDownloading when the wizard is closing.
    virtual void RunAndWait(const std::u16string& commandLine) = 0;
    virtual VersionRecord InstalledVersion() = 0;
    virtual std::optional<VersionRecord> PackageVersion(const std::u16string& path) = 0;
    // Raises MSIInstaller::Error (or FatalError).
    virtual void Install(const std::u16string& path, const std::u16string& commandLine) = 0;
    virtual void ReportEnd(const std::u16string& path) = 0;
};

class DownloadInstallWork {
public:
    explicit DownloadInstallWork(DownloadInstallHost& host) : host_(host) {}

    // The whole work; returns when the wizard has been moved on or told to close.
    void Run();

    // Exposed for tests of the single steps.
    std::u16string DownloadPackage();
    void InstallPackage(const std::u16string& path);

private:
    // What the check of a package file found. Only an accepted package is
    // installed without a new download; one that is not an installer database
    // goes to the installation, which reports it, after one more download;
    // a rejected one never reaches it.
    enum class PackageCheck { Accepted, NotADatabase, Rejected };

    std::u16string TryDownload();
    // Holds the file and checks it: the digest when one is expected, then the
    // database. The hold of an earlier check ends first.
    PackageCheck CheckPackage(const std::u16string& path);
    void AbandonDownload();
    void RemoveInstalledVersion();

    DownloadInstallHost& host_;
    std::unique_ptr<Common::HeldFile> package_;
    PackageCheck packageCheck_ = PackageCheck::Rejected;  // of the path DownloadPackage returned
};

// The uninstall command of an installed version turned into a quiet removal:
// every "/I" becomes "/X" and " SHOWSURV=NO /quiet /norestart" is appended.
std::u16string QuietRemovalCommand(std::u16string uninstallCommand);

}  // namespace Wizard
