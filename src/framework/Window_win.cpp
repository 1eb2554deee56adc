#include "framework/Window.h"

#include <commctrl.h>

#include <utility>

#include "framework/MessageBoundary.h"

namespace Framework {

namespace {

// Our subclass on a window is found again by this procedure and id.
constexpr UINT_PTR kSubclassId = 0x436F7276;  // "Corv"

// The child window a parent's message is about, or null.
HWND ReflectionTarget(UINT message, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return header ? header->hwndFrom : nullptr;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return reinterpret_cast<HWND>(lParam);
        default:
            return nullptr;
    }
}

}  // namespace

Window::~Window() {
    // Stop dispatching first: the window's last messages must not reach a
    // half-destroyed object. `owned_` then destroys a window we made.
    Unsubclass();
}

Window* Window::FromHandle(HWND window) {
    DWORD_PTR object = 0;
    if (!window || !GetWindowSubclass(window, &Window::SubclassProc, kSubclassId, &object)) return nullptr;
    return reinterpret_cast<Window*>(object);
}

bool Window::Subclass(HWND window) {
    if (handle_ || !window || FromHandle(window)) return false;
    if (!SetWindowSubclass(window, &Window::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    handle_ = window;
    OnSubclassed();
    return true;
}

bool Window::SubclassDlgItem(int controlId, HWND parent) {
    return parent && Subclass(GetDlgItem(parent, controlId));
}

bool Window::Create(const WindowClass& windowClass, const WindowPlacement& placement) {
    if (handle_) return false;
    UniqueWindow window = CreateWindowOfClass(windowClass, placement);
    if (!window || !Subclass(window.Get())) return false;
    owned_ = std::move(window);
    return true;
}

void Window::Unsubclass() {
    if (!handle_) return;
    RemoveWindowSubclass(handle_, &Window::SubclassProc, kSubclassId);
    handle_ = nullptr;
}

bool Window::PreTranslateMessage(MSG&) { return false; }

void Window::Invalidate(bool erase) const {
    if (handle_) InvalidateRect(handle_, nullptr, erase ? TRUE : FALSE);
}

RECT Window::ClientRect() const {
    RECT rect{};
    if (handle_) GetClientRect(handle_, &rect);
    return rect;
}

RECT Window::RectInParent() const {
    RECT rect{};
    if (!handle_) return rect;
    GetWindowRect(handle_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result)) return result;
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return handle_ ? DefSubclassProc(handle_, message, wParam, lParam) : 0;
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND target = ReflectionTarget(message, lParam);
    if (!target && message == WM_MEASUREITEM && handle_) {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) target = GetDlgItem(handle_, static_cast<int>(wParam));
    }
    if (!target || target == handle_) return false;
    Window* child = FromHandle(target);
    return child && child->OnReflected(message, wParam, lParam, result);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR object) {
    auto* self = reinterpret_cast<Window*>(object);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Window::SubclassProc, kSubclassId);
        self->handle_ = nullptr;
        self->owned_.Release();  // going already
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        CallAtBoundary(0, [self] {
            self->OnFinalMessage();
            return 0;
        });
        return result;
    }
    return CallAtBoundary<LRESULT>(0, [&] { return self->WindowProc(message, wParam, lParam); });
}

bool WalkPreTranslateTree(HWND stop, MSG& message) {
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        if (Window* object = Window::FromHandle(window); object && object->PreTranslateMessage(message)) return true;
        if (window == stop) break;
    }
    return false;
}

}  // namespace Framework
