// The last-chance handler: a crash leaves "Crash.dump" (a normal minidump) in
// the current folder and a cancel report, then the system's handling goes on.
#pragma once

#include <windows.h>

// Installs CrashDumpFilter as the process's top-level exception filter.
void InstallCrashDumpFilter();

// Called first by the filter with `context`; the statistics record sends its
// cancel report through it. A plain function: the filter runs on a broken
// process.
using CrashReportHook = void (*)(void* context);
void SetCrashReportHook(CrashReportHook hook, void* context);

LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception);
