// Owner of Windows Installer handles (databases, views, records).
#pragma once

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include "common/UniqueResource.h"

namespace MSIInstaller {

struct MsiHandleTraits {
    using Handle = MSIHANDLE;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle h) noexcept { ::MsiCloseHandle(h); }
};

using UniqueMsiHandle = Common::UniqueResource<MsiHandleTraits>;

}  // namespace MSIInstaller
