// An owner of a WinInet handle (root, connection or request).
#pragma once

#include <windows.h>
#include <wininet.h>

#include "common/UniqueResource.h"

namespace Soap {

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::InternetCloseHandle(handle); }
};

using InternetHandle = Common::UniqueResource<InternetHandleTraits>;

}  // namespace Soap
