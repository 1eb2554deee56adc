// Periodic callbacks that reach an object instead of a window procedure. One
// hidden window per process, titled "Timers", receives the WM_TIMER of every
// registered timer and calls the handler registered under the timer's id.
// Used by the animated windows of the wizard; everything runs on the thread
// that made the first registration (the user-interface thread).
#pragma once

#include <atomic>
#include <map>
#include <memory>

struct HWND__;  // HWND without windows.h

namespace Framework {

class Timer;
// The "Timers" window; the host build has none.
class TimerWindow;

// The interface of a timer client.
class TimerEventHandler {
public:
    virtual void OnTimer(Timer& timer) = 0;

protected:
    ~TimerEventHandler() = default;
};

class TimerService {
public:
    // The process-wide service, created on first use.
    static TimerService& Instance();

    TimerService();
    ~TimerService();
    TimerService(const TimerService&) = delete;
    TimerService& operator=(const TimerService&) = delete;

    // Enters `timer` under a new id and returns the id. The first registration
    // creates the "Timers" window, owned by `owner`; so does a registration
    // after that window has gone with its owner. Ids start at 1 and are never
    // used twice.
    int Register(Timer& timer, HWND__* owner);
    // Removes the entry of `id`, if any.
    void Unregister(int id);
    // The "Timers" window, null before the first registration and after the
    // window went away with its owner.
    HWND__* Window() const;

    // Calls the handler of the timer registered under `id`. False when no
    // timer has that id (an unregistered or unknown id is ignored).
    bool Dispatch(int id);

    // The platform timer of `id` on the "Timers" window. From another thread
    // the request is handed to the window's own thread.
    void StartPlatformTimer(int id, unsigned periodMs);
    void StopPlatformTimer(int id);

private:
    void EnsureWindow(HWND__* owner);
    void DestroyWindow();

    std::map<int, Timer*> timers_;
    std::unique_ptr<TimerWindow> window_;
    int nextId_ = 1;
};

// A timer owned by the window that animates; registered for its whole life.
class Timer {
public:
    Timer(TimerEventHandler& handler, HWND__* owner, TimerService& service = TimerService::Instance());
    // Stops the timer and removes it from the service.
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Sets the platform timer with this timer's id and the period.
    void Start(unsigned periodMs);
    // Kills the platform timer, only when it is running.
    void Stop();

    bool IsRunning() const { return running_; }
    int Id() const { return id_; }
    TimerEventHandler& Handler() const { return handler_; }

private:
    TimerEventHandler& handler_;
    // Started and stopped by the download worker's thread too.
    std::atomic<bool> running_{false};
    int id_;
    TimerService& service_;
};

}  // namespace Framework
