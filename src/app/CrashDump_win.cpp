#include "app/CrashDump.h"

#include <dbghelp.h>

#include <atomic>

#include "common/WinHandles.h"

namespace {

std::atomic<CrashReportHook> g_reportHook{nullptr};
std::atomic<void*> g_reportContext{nullptr};

// Writes the dump into `file`; true when there is something worth keeping.
bool WriteDump(HANDLE file, EXCEPTION_POINTERS* exception) {
    if (exception == nullptr) {
        OutputDebugStringW(L"raising exception\r\n");
        RaiseException(EXCEPTION_BREAKPOINT, 0, 0, nullptr);
        return false;
    }
    OutputDebugStringW(L"writing minidump\r\n");
    MINIDUMP_EXCEPTION_INFORMATION info{};
    info.ThreadId = GetCurrentThreadId();
    info.ExceptionPointers = exception;
    info.ClientPointers = FALSE;
    return MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &info, nullptr,
                             nullptr) != FALSE;
}

}  // namespace

void InstallCrashDumpFilter() { SetUnhandledExceptionFilter(CrashDumpFilter); }

void SetCrashReportHook(CrashReportHook hook, void* context) {
    g_reportContext.store(context);  // first: a hook is never called with another's context
    g_reportHook.store(hook);
}

LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception) {
    if (const CrashReportHook hook = g_reportHook.load()) hook(g_reportContext.load());

    wchar_t tempFolder[256];
    const DWORD length = GetTempPathW(256, tempFolder);
    if (length == 0 || length >= 256) return EXCEPTION_CONTINUE_SEARCH;  // too long: no dump
    wchar_t tempName[MAX_PATH];
    if (!GetTempFileNameW(tempFolder, L"TFR", 0, tempName)) return EXCEPTION_CONTINUE_SEARCH;

    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    bool written = false;
    {
        Common::UniqueFile file(CreateFileW(tempName, GENERIC_WRITE, 0, &inheritable, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr));
        if (file) written = WriteDump(file.Get(), exception);
    }
    // A failed dump is not kept, and does not replace an older one.
    if (written && (DeleteFileW(L"Crash.dump") || GetLastError() == ERROR_FILE_NOT_FOUND) &&
        MoveFileW(tempName, L"Crash.dump")) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    DeleteFileW(tempName);
    return EXCEPTION_CONTINUE_SEARCH;
}
