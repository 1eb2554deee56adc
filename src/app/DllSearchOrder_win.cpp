#include "app/DllSearchOrder.h"

#include <windows.h>

void RestrictDllSearchToSystemFolder() {
    // Looked up rather than imported: Windows 7 has it only with its loader
    // update of 2011, and a missing import would keep the program from starting.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Where the default cannot be changed this at least drops the current folder.
    SetDllDirectoryW(L"");
}
