// The application object: the start-up sequence from the command line to the
// end of the wizard.
#pragma once

#include <windows.h>

#include "configuration/InstallerConfig.h"
#include "installation/Session.h"
#include "language/AsLanguage_Manager.h"
#include "services/InstallationStatistics.h"

class CCorvaneInstallerApp {
public:
    // Makes the run's session and installs the crash-dump filter, whose
    // cancel report goes to the session's statistics record; runs during
    // static initialisation.
    CCorvaneInstallerApp();
    CCorvaneInstallerApp(const CCorvaneInstallerApp&) = delete;
    CCorvaneInstallerApp& operator=(const CCorvaneInstallerApp&) = delete;

    // The process exit code: 0 for a finished wizard or a successful tool
    // mode, non-zero when "-build" or "-export" could not do their work.
    int Run(HINSTANCE instance);

private:
    int RunExport(const wchar_t* fileName);
    int RunBuild(int argc, wchar_t** argv);
    int RunWizard(HINSTANCE instance);

    // The run's parts, handed down by reference as one session. The record
    // goes first, waiting (bounded) for its reports under way.
    InstallerConfig config_;
    AsLanguage_Manager language_;
    InstallationStatistics statistics_;
    Installation::Session session_{config_, language_, statistics_};
};
