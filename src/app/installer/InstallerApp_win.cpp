#include "app/installer/InstallerApp.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/AdminCheck.h"
#include "app/CommandLine.h"
#include "app/ConfiguredCopy.h"
#include "app/CrashDump.h"
#include "app/SingleInstance.h"
#include "common/FileSystem.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "installation/ConfiguredVersionCheck.h"
#include "wizard/CCorvaneInstallerDlg.h"

namespace {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

std::vector<std::u16string> ToList(int argc, wchar_t** argv) {
    std::vector<std::u16string> list;
    for (int i = 0; i < argc && argv; ++i) list.push_back(Common::FromWide(argv[i]));
    return list;
}

// The command line split as the shell splits it.
std::vector<std::u16string> ShellArguments() {
    int argc = 0;
    Common::UniqueLocal argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    if (!argv) return {};
    return ToList(argc, static_cast<wchar_t**>(argv.Get()));
}

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusSession() {
        if (token_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// The crash filter's report: CancelInstallation with cancel reason 0.
void ReportCrashCancel(void* record) { static_cast<InstallationStatistics*>(record)->ReportCrash(); }

}  // namespace

CCorvaneInstallerApp::CCorvaneInstallerApp() : language_(UserLanguageSetting()) {
    InstallCrashDumpFilter();
    SetCrashReportHook(&ReportCrashCancel, &statistics_);
}

int CCorvaneInstallerApp::Run(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);

    const auto shellArgs = ShellArguments();
    const auto runtimeArgs = ToList(__argc, __wargv);
    switch (ClassifyCommandLine(shellArgs, runtimeArgs)) {
        case StartMode::Export:
            return RunExport(Common::AsWide(shellArgs[2]));
        case StartMode::Build:
            return RunBuild(__argc, __wargv);
        case StartMode::Wizard:
            break;
    }
    return RunWizard(instance);
}

int CCorvaneInstallerApp::RunExport(const wchar_t* fileName) {
    // The name as given: the ANSI code page may not hold its letters.
    return language_.Export_Workbook(Common::FromWide(fileName)) ? kExitOk : kExitFailed;
}

int CCorvaneInstallerApp::RunBuild(int argc, wchar_t** argv) {
    if (argc <= 3) return kExitUsage;
    std::vector<std::u16string> entries;
    for (int i = 3; i < argc; ++i) entries.push_back(Common::FromWide(argv[i]));
    // The running program itself, not argv[0]: a program started through PATH or
    // without its extension has an argv[0] that names no file.
    switch (BuildConfiguredCopy(Common::ModulePath(), Common::FromWide(argv[2]), entries)) {
        case BuildResult::Built:
            return kExitOk;
        case BuildResult::NothingToBuild:
            return kExitUsage;
        case BuildResult::CopyFailed:
            break;
    }
    return kExitFailed;
}

int CCorvaneInstallerApp::RunWizard(HINSTANCE) {
    SingleInstance instanceLock;
    if (!instanceLock.Claim()) return kExitOk;  // another installer is running: leave silently

    if (!IsUserAdministrator()) {
        MessageBoxW(nullptr, L"You must have administrator rigths to start Corvane Installer", L"Corvane Installer",
                    MB_OK);
        return kExitOk;
    }

    GdiplusSession graphics;
    // Registered with the language manager, which has no way to forget it:
    // nothing changes the language once the wizard has ended.
    CCorvaneInstallerDlg wizard(session_, DeploymentVersionSources());
    wizard.DoModal();
    // The window is gone and the download page's work is stopping. The
    // reports of the last steps (finish, exit) may still be on the network:
    // they get a bounded wait, then the process ends without them.
    statistics_.FinishReports();
    return kExitOk;
}
