// The application object: the start-up sequence from the command line to the
// end of the wizard.
#pragma once

#include <windows.h>

class CCorvaneInstallerApp {
public:
    // Installs the crash-dump filter; runs during static initialisation.
    CCorvaneInstallerApp();

    // The process exit code: 0 for a finished wizard or a successful tool
    // mode, non-zero when "-build" or "-export" could not do their work.
    int Run(HINSTANCE instance);

private:
    int RunExport(const wchar_t* fileName);
    int RunBuild(int argc, wchar_t** argv);
    int RunWizard(HINSTANCE instance);
};
