#include "msi/Installer.h"

#include <windows.h>
#include <msi.h>

#include "common/InstallationLogNames.h"
#include "common/TextUtil.h"
#include "common/Utf8Text.h"
#include "common/WideText.h"
#include "msi/HandleInstallMessage_win.h"

namespace MSIInstaller {
namespace {

// Bits 0 to 14 of the log-mode mask, without files-in-use (bit 5).
constexpr DWORD kMessageFilter = 0x7FDF;
constexpr wchar_t kHandlerContext[] = L"InstallingMSIPackage";
constexpr char16_t kErrorCodesPage[] = u"https://learn.microsoft.com/windows/win32/msi/error-codes";

// Every message kind, verbose, as "/l*v" writes them.
constexpr DWORD kVerboseLogMode =
    INSTALLLOGMODE_FATALEXIT | INSTALLLOGMODE_ERROR | INSTALLLOGMODE_WARNING | INSTALLLOGMODE_USER |
    INSTALLLOGMODE_INFO | INSTALLLOGMODE_RESOLVESOURCE | INSTALLLOGMODE_OUTOFDISKSPACE |
    INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA | INSTALLLOGMODE_COMMONDATA |
    INSTALLLOGMODE_PROPERTYDUMP | INSTALLLOGMODE_VERBOSE;

// The Windows Installer's own log for one installation: the setting is the
// process's, so it ends with the installation.
class VerboseMsiLog {
public:
    explicit VerboseMsiLog(const std::u16string& path) : enabled_(!path.empty()) {
        if (enabled_) {
            enabled_ = MsiEnableLogW(kVerboseLogMode, Common::AsWide(path), INSTALLLOGATTRIBUTES_APPEND) ==
                       ERROR_SUCCESS;
        }
    }
    ~VerboseMsiLog() {
        if (enabled_) MsiEnableLogW(0, nullptr, 0);
    }
    VerboseMsiLog(const VerboseMsiLog&) = delete;
    VerboseMsiLog& operator=(const VerboseMsiLog&) = delete;

    bool Enabled() const { return enabled_; }

private:
    bool enabled_;
};

}  // namespace

int WINAPI HandleInstallMessage(LPVOID, UINT messageType, LPCWSTR message) {
    const auto* text = reinterpret_cast<const char16_t*>(message);
    return TheInstallMessageHandler().AnswerWithoutThrowing(messageType, text);
}

Installer::Installer(InstallProgressCallback progress, Common::InstallationLog* log) : log_(log) {
    TheInstallMessageHandler().Reset(std::move(progress));
    MsiSetInternalUI(static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_NONE | INSTALLUILEVEL_SOURCERESONLY), nullptr);
    MsiSetExternalUIW(HandleInstallMessage, kMessageFilter, const_cast<wchar_t*>(kHandlerContext));
}

bool Installer::Install(const std::u16string& packagePath, const PackageFacts& facts,
                        const std::u16string& commandLine) {
    if (facts.measureFailure) std::rethrow_exception(facts.measureFailure);
    auto& handler = TheInstallMessageHandler();
    handler.SetPackageSize(facts.fileSizeSum);
    const std::u16string logPath = log_ ? log_->Path() : std::u16string();
    const std::u16string msiLogPath = logPath.empty() ? std::u16string() : Common::MsiLogPathBeside(logPath);
    const VerboseMsiLog msiLog(msiLogPath);
    if (log_) {
        log_->Line("Windows Installer: installing " + Common::ToUtf8(packagePath) + " with \"" +
                   Common::ToUtf8(commandLine) + "\"" +
                   (msiLog.Enabled() ? ", its log " + Common::ToUtf8(msiLogPath) : std::string(", without its log")));
    }
    const UINT result = MsiInstallProductW(Common::AsWide(packagePath),
                                           commandLine.empty() ? nullptr : Common::AsWide(commandLine));
    Common::LogLine(log_, "Windows Installer: returned " + std::to_string(result));
    // A failure the handler saw says more than the installer's result code.
    handler.RaisePendingError();
    // Installed, and the machine must restart (or is restarting) to finish:
    // a success, not a failure.
    if (result == ERROR_SUCCESS_REBOOT_REQUIRED || result == ERROR_SUCCESS_REBOOT_INITIATED) return true;
    if (result != ERROR_SUCCESS) {
        throw FatalError(u"ERROR: MsiInstallProduct return error code " +
                         Common::DecimalText(static_cast<std::uint64_t>(result)) + u". More info: " + kErrorCodesPage,
                         result);
    }
    return false;
}

}  // namespace MSIInstaller
