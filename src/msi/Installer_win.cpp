#include "msi/Installer.h"

#include <windows.h>
#include <msi.h>

#include "common/TextUtil.h"
#include "common/WideText.h"
#include "msi/HandleInstallMessage_win.h"

namespace MSIInstaller {
namespace {

// Bits 0 to 14 of the log-mode mask, without files-in-use (bit 5).
constexpr DWORD kMessageFilter = 0x7FDF;
constexpr wchar_t kHandlerContext[] = L"InstallingMSIPackage";
constexpr char16_t kErrorCodesPage[] = u"https://learn.microsoft.com/windows/win32/msi/error-codes";

}  // namespace

int WINAPI HandleInstallMessage(LPVOID, UINT messageType, LPCWSTR message) {
    const auto* text = reinterpret_cast<const char16_t*>(message);
    return TheInstallMessageHandler().AnswerWithoutThrowing(messageType, text);
}

Installer::Installer(InstallProgressCallback progress) {
    TheInstallMessageHandler().Reset(std::move(progress));
    MsiSetInternalUI(static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_NONE | INSTALLUILEVEL_SOURCERESONLY), nullptr);
    MsiSetExternalUIW(HandleInstallMessage, kMessageFilter, const_cast<wchar_t*>(kHandlerContext));
}

bool Installer::Install(const std::u16string& packagePath, const PackageFacts& facts,
                        const std::u16string& commandLine) {
    if (facts.measureFailure) std::rethrow_exception(facts.measureFailure);
    auto& handler = TheInstallMessageHandler();
    handler.SetPackageSize(facts.fileSizeSum);
    const UINT result = MsiInstallProductW(Common::AsWide(packagePath),
                                           commandLine.empty() ? nullptr : Common::AsWide(commandLine));
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
