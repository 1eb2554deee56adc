// How one installation ended, and the process exit code that says so to
// whoever started the installer. The codes are the Windows Installer's own
// numbers, which deployment tools already understand.
#pragma once

namespace Installation {

enum class Outcome {
    Installed,
    InstalledRestartNeeded,  // the Windows Installer asks for a restart
    SameVersionInstalled,    // nothing to do: a re-run succeeds
    NewerVersionInstalled,
    Cancelled,
    Failed,               // no package, a refused package, the installer failed, no room
    AnotherInstallation,  // another installation (or installer) is running
    InvalidCommandLine,
};

// The product is on the machine as the run wanted it.
constexpr bool IsSuccess(Outcome outcome) {
    return outcome == Outcome::Installed || outcome == Outcome::InstalledRestartNeeded ||
           outcome == Outcome::SameVersionInstalled;
}

constexpr int ExitCode(Outcome outcome) {
    switch (outcome) {
        case Outcome::Installed:
        case Outcome::SameVersionInstalled: return 0;
        case Outcome::InstalledRestartNeeded: return 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
        case Outcome::Cancelled: return 1602;               // ERROR_INSTALL_USEREXIT
        case Outcome::Failed: return 1603;                  // ERROR_INSTALL_FAILURE
        case Outcome::AnotherInstallation: return 1618;     // ERROR_INSTALL_ALREADY_RUNNING
        case Outcome::NewerVersionInstalled: return 1638;   // ERROR_PRODUCT_VERSION
        case Outcome::InvalidCommandLine: return 1639;      // ERROR_INVALID_COMMAND_LINE
    }
    return 1603;
}

}  // namespace Installation
