// The external user-interface handler that the Windows Installer calls
// during an installation.
#pragma once

#include <windows.h>

namespace MSIInstaller {

// Answers through TheInstallMessageHandler(). Never lets an exception out:
// a failure is kept for Installer::Install to raise, and the installer is
// asked to stop. The context is not used.
int WINAPI HandleInstallMessage(LPVOID context, UINT messageType, LPCWSTR message);

}  // namespace MSIInstaller
