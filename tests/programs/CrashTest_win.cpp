// Crashes on purpose with the installer's crash filter installed, so that a
// test can check the "Crash.dump" it leaves in the current folder.
#include <windows.h>

#include <cstdio>

#include "app/CrashDump.h"

namespace {
void CountReport(void* reports) { ++*static_cast<int*>(reports); }
}  // namespace

int wmain() {
    int reports = 0;
    InstallCrashDumpFilter();
    SetCrashReportHook(CountReport, &reports);
    std::printf("crashing\n");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 42;
    return 0;
}
