#include "installation/WindowsTargetMachine_win.h"

#include <windows.h>

#include "DeploymentValues.h"
#include "common/ProductIdentity.h"
#include "common/ProductQueries.h"
#include "common/SystemProgram.h"
#include "common/UninstallString.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "configuration/InstallerConfig.h"
#include "download/DownloadErrors.h"
#include "installation/ConfiguredVersionCheck.h"
#include "language/AsLanguage_Manager.h"
#include "msi/Installer.h"
#include "msi/PackageChecks.h"
#include "msi/PackageSignature.h"

namespace Installation {

WindowsTargetMachine::WindowsTargetMachine(Session& session, const std::atomic<bool>& stopping,
                                           MSIInstaller::InstallProgressCallback onProgress)
    : session_(session), stopping_(stopping), onProgress_(std::move(onProgress)) {}

WindowsTargetMachine::~WindowsTargetMachine() { AwaitTrustPreparation(); }

void WindowsTargetMachine::AwaitTrustPreparation() {
    if (trustPreparation_.joinable()) trustPreparation_.join();
}

void WindowsTargetMachine::StopIfStopping() const {
    if (stopping_) throw StopDownloading();
}

void WindowsTargetMachine::PrepareChecks() {
    if (trustPreparation_.joinable()) return;
    try {
        trustPreparation_ = std::thread(MSIInstaller::PrepareTrustChecks);
    } catch (...) {
        // No thread to be had: the first check readies the same itself.
    }
}

std::unique_ptr<Common::HeldFile> WindowsTargetMachine::HoldPackage(const std::u16string& path) {
    return Common::HoldFile(path);
}

bool WindowsTargetMachine::IsSignedByPublisher(const std::u16string& path) {
    // Both would import the trusted roots at once otherwise.
    AwaitTrustPreparation();
    return MSIInstaller::IsPinnedPublisher(MSIInstaller::TrustedPackageSigner(path), Deployment::kPackagePublisher,
                                           session_.config.PackagePublisher(), session_.log);
}

MSIInstaller::PackageFacts WindowsTargetMachine::ReadPackageFacts(const std::u16string& path) {
    return MSIInstaller::ReadPackageFacts(path);
}

VersionComparison WindowsTargetMachine::CompareInstalledVersion() {
    return ::CompareInstalledVersion(session_.config);
}

VersionRecord WindowsTargetMachine::InstalledVersion() {
    return Common::GetInstalledVersion(Product::kName).value_or(VersionRecord{});
}

std::u16string WindowsTargetMachine::UninstallCommand() { return Common::FindUninstallString(); }

void WindowsTargetMachine::RunAndWait(const std::u16string& commandLine) {
    StopIfStopping();
    std::u16string mutableLine = commandLine;
    // "MsiExec.exe /X{...}" is taken from the system folder, never from the
    // folder the installer was started from.
    const std::u16string program = Common::SystemProgramPath(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.empty() ? nullptr : Common::AsWide(program),
                        reinterpret_cast<wchar_t*>(mutableLine.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return;  // best effort: the installation that follows reports its own failure
    }
    Common::UniqueHandle thread(process.hThread);
    Common::UniqueHandle child(process.hProcess);
    WaitForSingleObject(child.Get(), INFINITE);
}

std::u16string WindowsTargetMachine::InstallCommandLine() {
    const InstallerConfig& config = session_.config;
    return config.FeatureString() + u" ISCREATEQLSC=0 LAUNCHPRODUCT=0 MAKEDEFAULTAPP=0 INSTALLDIR=\"" +
           config.InstallDir() + u"\"";
}

bool WindowsTargetMachine::Install(const std::u16string& path, const MSIInstaller::PackageFacts& facts,
                                   const std::u16string& commandLine) {
    StopIfStopping();
    MSIInstaller::Installer installer(onProgress_, session_.log);
    return installer.Install(path, facts, commandLine);
}

void WindowsTargetMachine::SaveSettings() {
    session_.language.Save_Language();
    session_.config.SaveInstallDir();
    session_.config.SaveLinkSettings();
}

}  // namespace Installation
