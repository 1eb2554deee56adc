// The host build has no windows: timers are registered and dispatched by id,
// but no platform timer ever fires. Enough for the portable tests of the
// registry; the Windows build has the real window.
#include "common/TimerService.h"

namespace Common {

void TimerService::EnsureWindow(HWND__*) {}
void TimerService::DestroyWindow() {}
void TimerService::StartPlatformTimer(int, unsigned) {}
void TimerService::StopPlatformTimer(int) {}

}  // namespace Common
