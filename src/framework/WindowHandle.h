// The owner of a window this program created and must destroy.
#pragma once

#include <windows.h>

#include "common/UniqueResource.h"

namespace Framework {

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle window) noexcept {
        if (IsWindow(window)) DestroyWindow(window);
    }
};
using UniqueWindow = Common::UniqueResource<WindowTraits>;

}  // namespace Framework
