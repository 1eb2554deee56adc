// The host build has no windows: timers are registered and dispatched by id,
// but no platform timer ever fires. Enough for the portable tests of the
// registry; the Windows build has the real window.
#include "framework/TimerService.h"

namespace Framework {

class TimerWindow {};

TimerService::TimerService() = default;
TimerService::~TimerService() = default;

HWND__* TimerService::Window() const { return nullptr; }
void TimerService::EnsureWindow(HWND__*) {}
void TimerService::DestroyWindow() {}
void TimerService::StartPlatformTimer(int, unsigned) {}
void TimerService::StopPlatformTimer(int) {}

}  // namespace Framework
