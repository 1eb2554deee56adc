#include "framework/TimerService.h"

namespace Framework {

TimerService& TimerService::Instance() {
    static TimerService service;
    return service;
}

int TimerService::Register(Timer& timer, HWND__* owner) {
    EnsureWindow(owner);
    const int id = nextId_++;
    timers_[id] = &timer;
    return id;
}

void TimerService::Unregister(int id) { timers_.erase(id); }

bool TimerService::Dispatch(int id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return false;
    Timer& timer = *found->second;
    timer.Handler().OnTimer(timer);
    return true;
}

Timer::Timer(TimerEventHandler& handler, HWND__* owner, TimerService& service)
    : handler_(handler), id_(service.Register(*this, owner)), service_(service) {}

Timer::~Timer() {
    Stop();
    service_.Unregister(id_);
}

void Timer::Start(unsigned periodMs) {
    service_.StartPlatformTimer(id_, periodMs);
    running_ = true;
}

void Timer::Stop() {
    if (!running_.exchange(false)) return;
    service_.StopPlatformTimer(id_);
}

}  // namespace Framework
