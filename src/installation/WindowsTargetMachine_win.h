// The target machine of a real installation: the package file held and
// checked (digest, the publisher's signature), its facts read once, the
// installed product and its removal, the Windows Installer, and the settings
// saved once the product is installed.
#pragma once

#include <atomic>
#include <thread>

#include "installation/Session.h"
#include "installation/TargetMachine.h"
#include "msi/InstallMessageHandler.h"

namespace Installation {

class WindowsTargetMachine : public TargetMachine {
public:
    // `stopping` turns every later removal or installation into
    // StopDownloading; `onProgress` gets the installation's percentage.
    WindowsTargetMachine(Session& session, const std::atomic<bool>& stopping,
                         MSIInstaller::InstallProgressCallback onProgress);
    ~WindowsTargetMachine() override;
    WindowsTargetMachine(const WindowsTargetMachine&) = delete;
    WindowsTargetMachine& operator=(const WindowsTargetMachine&) = delete;

    void PrepareChecks() override;
    std::unique_ptr<Common::HeldFile> HoldPackage(const std::u16string& path) override;
    bool IsSignedByPublisher(const std::u16string& path) override;
    MSIInstaller::PackageFacts ReadPackageFacts(const std::u16string& path) override;
    VersionComparison CompareInstalledVersion() override;
    VersionRecord InstalledVersion() override;
    std::u16string UninstallCommand() override;
    void RunAndWait(const std::u16string& commandLine) override;
    std::u16string InstallCommandLine() override;
    bool Install(const std::u16string& path, const MSIInstaller::PackageFacts& facts,
                 const std::u16string& commandLine) override;
    void SaveSettings() override;

private:
    void StopIfStopping() const;
    void AwaitTrustPreparation();

    Session& session_;
    const std::atomic<bool>& stopping_;
    MSIInstaller::InstallProgressCallback onProgress_;
    // The readying of the trust checks, run beside the download; joined
    // before the first check, or at the latest by the destructor.
    std::thread trustPreparation_;
};

}  // namespace Installation
