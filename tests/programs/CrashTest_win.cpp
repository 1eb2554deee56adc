// Crashes on purpose with the installer's crash filter installed, so that a
// test can check the "Crash.dump" it leaves in the current folder.
#include <windows.h>

#include <cstdio>

#include "app/CrashDump.h"

namespace {
int g_reports = 0;
void CountReport() { ++g_reports; }
}  // namespace

int wmain() {
    InstallCrashDumpFilter();
    SetCrashReportHook(CountReport);
    std::printf("crashing\n");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 42;
    return 0;
}
