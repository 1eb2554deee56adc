// The window classes of the windows the program makes itself, and where a
// new window goes. A class of our own is registered for the program's module
// on first use, with DefWindowProc as its procedure: the window's behaviour
// comes from the object that subclasses it (see Window::Create).
#pragma once

#include <windows.h>

#include "framework/WindowHandle.h"

namespace Framework {

struct WindowClass {
    const wchar_t* name;
    UINT style = 0;               // CS_* flags
    HBRUSH background = nullptr;  // a stock brush, or null when the window paints all of itself
    bool system = false;          // a class of the system, used by its name and never registered
};

// The system's static control: a plain window for objects that draw nothing
// or everything themselves.
inline constexpr WindowClass kStaticClass{L"STATIC", 0, nullptr, true};

// Where and how a window is made. `parent` is the parent of a WS_CHILD
// window, else the owner; `id` is the control id of a child.
struct WindowPlacement {
    HWND parent = nullptr;
    RECT rect{};
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    const wchar_t* title = L"";
};

// Registers `windowClass` unless it is registered already or a system class.
// False when the system refuses it.
bool RegisterWindowClass(const WindowClass& windowClass);

// Makes a window of `windowClass` (registered first when needed); an empty
// owner when it cannot be made.
UniqueWindow CreateWindowOfClass(const WindowClass& windowClass, const WindowPlacement& placement);

}  // namespace Framework
