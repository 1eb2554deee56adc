#include <windows.h>

#include "app/DllSearchOrder.h"
#include "app/installer/InstallerApp.h"

namespace {

// The first initialiser of the program, before the other static objects are
// built: none of them may load a DLL from the folder the installer was
// started from.
__attribute__((constructor(101))) void LimitDllSearch() {
    RestrictDllSearchToSystemFolder();
    PreloadIndirectSystemDlls();
}

CCorvaneInstallerApp theApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Run(instance); }
