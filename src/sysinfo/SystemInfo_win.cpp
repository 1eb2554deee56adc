#include "sysinfo/SystemInfo.h"

#include <windows.h>

#include "common/WideText.h"
#include "common/WinHandles.h"

namespace {

using GetNativeSystemInfoFn = void(WINAPI*)(SYSTEM_INFO*);
using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);

template <typename Fn>
Fn Kernel32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

bool CanOpen(const wchar_t* path) {
    Common::UniqueKey key;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, key.Put()) == ERROR_SUCCESS;
}

std::optional<std::u16string> ProductOptionsType() {
    Common::UniqueKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_QUERY_VALUE,
                      key.Put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    wchar_t text[41] = {};
    DWORD size = 80;
    if (RegQueryValueExW(key.Get(), L"ProductType", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return Common::FromWide(text);
}

}  // namespace

OsFacts GatherOsFacts() {
    OsFacts facts;
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    facts.extendedRecord = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    if (!facts.extendedRecord) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        facts.anyVersionRecord = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    } else {
        facts.anyVersionRecord = true;
    }
#pragma GCC diagnostic pop

    SYSTEM_INFO system{};
    if (auto native = Kernel32Function<GetNativeSystemInfoFn>("GetNativeSystemInfo")) {
        native(&system);
    } else {
        GetSystemInfo(&system);
    }
    facts.processorArchitecture = system.wProcessorArchitecture;
    if (!facts.anyVersionRecord) return facts;

    facts.platformId = version.dwPlatformId;
    facts.major = version.dwMajorVersion;
    facts.minor = version.dwMinorVersion;
    facts.build = version.dwBuildNumber;
    facts.servicePack = Common::FromWide(version.szCSDVersion);
    if (facts.extendedRecord) {
        facts.servicePackMajor = version.wServicePackMajor;
        facts.servicePackMinor = version.wServicePackMinor;
        facts.suiteMask = version.wSuiteMask;
        facts.productType = version.wProductType;
        facts.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
        if (facts.major == 6) {
            if (auto productInfo = Kernel32Function<GetProductInfoFn>("GetProductInfo")) {
                DWORD type = 0;
                productInfo(facts.major, facts.minor, facts.servicePackMajor, facts.servicePackMinor, &type);
                facts.productInfo = type;
            }
        }
    } else {
        facts.productOptions = ProductOptionsType();
    }
    facts.hotfixQ246009 = CanOpen(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009");
    return facts;
}

SystemInfo::SystemInfo() : SystemInfo(GatherOsFacts()) {}
