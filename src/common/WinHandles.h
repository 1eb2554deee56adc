// Owners of kernel, registry, security and module handles (Windows only).
#pragma once

#include <windows.h>

#include "common/UniqueResource.h"

namespace Common {

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
// File handles use INVALID_HANDLE_VALUE for "none".
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
struct SidTraits {
    using Handle = PSID;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::FreeSid(h); }
};
struct GlobalMemTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::GlobalFree(h); }
};
// A module this program loaded itself (LoadLibrary*), not one it only looked
// up (GetModuleHandle).
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};
struct LocalMemTraits {
    using Handle = HLOCAL;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::LocalFree(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueKey = UniqueResource<RegKeyTraits>;
using UniqueSid = UniqueResource<SidTraits>;
using UniqueGlobal = UniqueResource<GlobalMemTraits>;
using UniqueLocal = UniqueResource<LocalMemTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;

}  // namespace Common
