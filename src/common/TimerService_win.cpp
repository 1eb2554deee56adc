#include <windows.h>

#include "common/TimerService.h"

namespace Common {

namespace {

// Start and stop requests handed over from other threads (the carousel
// driver): wParam the id, lParam the period.
constexpr UINT kStartRequest = WM_APP + 1;
constexpr UINT kStopRequest = WM_APP + 2;

TimerService* ServiceOf(HWND window) {
    return reinterpret_cast<TimerService*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The procedure of the "Timers" window: WM_TIMER goes to the registered
// handler; the rest gets the plain default handling (its title stays
// readable, its destruction clean). A failing handler loses its tick only.
LRESULT CALLBACK DispatchTimers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TimerService* service = ServiceOf(window);
    if (!service) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_TIMER:
            try {
                service->Dispatch(static_cast<int>(wParam));
            } catch (...) {
            }
            return 0;
        case kStartRequest:
            SetTimer(window, wParam, static_cast<UINT>(lParam), nullptr);
            return 0;
        case kStopRequest:
            KillTimer(window, wParam);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool OnWindowThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

}  // namespace

void TimerService::EnsureWindow(HWND__* owner) {
    if (window_ && IsWindow(window_)) return;
    HWND window = CreateWindowExW(0, L"STATIC", L"Timers", 0, 0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
    if (!window) {
        window_ = nullptr;
        return;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DispatchTimers));
    window_ = window;
}

void TimerService::DestroyWindow() {
    // At process exit the window has usually gone with its owner already.
    if (window_ && IsWindow(window_) && OnWindowThread(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
    window_ = nullptr;
}

void TimerService::StartPlatformTimer(int id, unsigned periodMs) {
    if (!window_) return;
    if (OnWindowThread(window_))
        SetTimer(window_, static_cast<UINT_PTR>(id), periodMs, nullptr);
    else
        PostMessageW(window_, kStartRequest, static_cast<WPARAM>(id), static_cast<LPARAM>(periodMs));
}

void TimerService::StopPlatformTimer(int id) {
    if (!window_) return;
    if (OnWindowThread(window_))
        KillTimer(window_, static_cast<UINT_PTR>(id));
    else
        PostMessageW(window_, kStopRequest, static_cast<WPARAM>(id), 0);
}

}  // namespace Common
