#include <windows.h>

#include "framework/TimerService.h"
#include "framework/Window.h"

namespace Framework {

namespace {

// Start and stop requests handed over from other threads (the carousel
// driver): wParam the id, lParam the period.
constexpr UINT kStartRequest = WM_APP + 1;
constexpr UINT kStopRequest = WM_APP + 2;

bool OnWindowThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

}  // namespace

// A hidden static window owned by the first animating window: WM_TIMER goes
// to the handler registered under the timer's id.
class TimerWindow : public Window {
public:
    explicit TimerWindow(TimerService& service) : service_(service) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_TIMER: return OnTimer(static_cast<int>(wParam));
            case kStartRequest: SetTimer(Handle(), wParam, static_cast<UINT>(lParam), nullptr); return 0;
            case kStopRequest: KillTimer(Handle(), wParam); return 0;
            default: return Window::WindowProc(message, wParam, lParam);
        }
    }

private:
    LRESULT OnTimer(int id) {
        // A failing handler loses this tick only; the animation goes on and
        // the wizard's modal loop never sees the failure.
        try {
            service_.Dispatch(id);
        } catch (...) {
        }
        return 0;
    }

    TimerService& service_;
};

TimerService::TimerService() = default;

TimerService::~TimerService() { DestroyWindow(); }

HWND__* TimerService::Window() const { return window_ ? window_->Handle() : nullptr; }

void TimerService::EnsureWindow(HWND__* owner) {
    if (window_ && window_->IsBound()) return;
    window_ = std::make_unique<TimerWindow>(*this);
    if (!window_->Create(kStaticClass, {owner, {}, 0, 0, 0, L"Timers"})) window_.reset();
}

void TimerService::DestroyWindow() {
    // At process exit the window has usually gone with its owner already. A
    // window of another thread can neither be destroyed nor given back from
    // here: it is left as it is.
    if (HWND window = Window(); window && !OnWindowThread(window)) {
        (void)window_.release();  // its window may still call it
        return;
    }
    window_.reset();
}

void TimerService::StartPlatformTimer(int id, unsigned periodMs) {
    HWND window = Window();
    if (!window) return;
    if (OnWindowThread(window))
        SetTimer(window, static_cast<UINT_PTR>(id), periodMs, nullptr);
    else
        PostMessageW(window, kStartRequest, static_cast<WPARAM>(id), static_cast<LPARAM>(periodMs));
}

void TimerService::StopPlatformTimer(int id) {
    HWND window = Window();
    if (!window) return;
    if (OnWindowThread(window))
        KillTimer(window, static_cast<UINT_PTR>(id));
    else
        PostMessageW(window, kStopRequest, static_cast<WPARAM>(id), 0);
}

}  // namespace Framework
