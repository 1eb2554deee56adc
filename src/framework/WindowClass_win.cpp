#include "framework/WindowClass.h"

namespace Framework {

bool RegisterWindowClass(const WindowClass& windowClass) {
    if (windowClass.system) return true;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW entry{};
    entry.cbSize = sizeof(entry);
    if (GetClassInfoExW(module, windowClass.name, &entry)) return true;
    entry.style = windowClass.style;
    entry.lpfnWndProc = DefWindowProcW;
    entry.hInstance = module;
    entry.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    entry.hbrBackground = windowClass.background;
    entry.lpszClassName = windowClass.name;
    return RegisterClassExW(&entry) != 0;
}

UniqueWindow CreateWindowOfClass(const WindowClass& windowClass, const WindowPlacement& placement) {
    if (!RegisterWindowClass(windowClass)) return UniqueWindow();
    const RECT& rect = placement.rect;
    return UniqueWindow(CreateWindowExW(placement.exStyle, windowClass.name, placement.title, placement.style,
                                        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                        placement.parent, reinterpret_cast<HMENU>(placement.id),
                                        GetModuleHandleW(nullptr), nullptr));
}

}  // namespace Framework
