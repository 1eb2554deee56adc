#include <windows.h>

#include "app/installer/InstallerApp.h"

namespace {
CCorvaneInstallerApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Run(instance); }
