#include "app/DllSearchOrder.h"

#include <windows.h>

#include <string>

namespace {

// Not known DLLs on every Windows from 7 on, and loaded by system DLLs rather
// than named by the installer: the installer's own DLLs are delay-loaded
// after the search has been limited. A name missing on a Windows version
// (combase before 8, for one) simply does not load.
const wchar_t* const kIndirectSystemDlls[] = {
    // COM and shell helpers of ole32 and shell32 (combase and shcore from Windows 8 on).
    L"combase.dll", L"shcore.dll", L"propsys.dll", L"urlmon.dll", L"userenv.dll", L"profapi.dll",
    L"apphelp.dll", L"netapi32.dll", L"mpr.dll", L"cabinet.dll", L"version.dll",
    // Themes, images and text of the controls.
    L"uxtheme.dll", L"dwmapi.dll", L"windowscodecs.dll", L"oleacc.dll", L"usp10.dll", L"textshaping.dll",
    L"msimg32.dll",
    // Crypto and network helpers of the download and the signature check.
    L"cryptbase.dll", L"cryptsp.dll", L"rsaenh.dll", L"msasn1.dll", L"ntmarta.dll", L"secur32.dll",
    L"sspicli.dll", L"dnsapi.dll", L"winnsi.dll", L"mswsock.dll", L"dhcpcsvc.dll",
};

}  // namespace

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

void PreloadIndirectSystemDlls() {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring folder = std::wstring(system, length) + L"\\";
    for (const wchar_t* name : kIndirectSystemDlls) {
        // The altered search path resolves the DLL's own imports from the
        // system folder too. The DLLs stay loaded for the life of the process
        // on purpose: unloading one would let a later load search again.
        LoadLibraryExW((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
}
