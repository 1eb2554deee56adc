// The "Timers" window and real platform timers.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "framework/TimerService.h"
#include "framework/WindowHandle.h"

namespace {

using Framework::Timer;
using Framework::TimerService;

class CountingHandler : public Framework::TimerEventHandler {
public:
    int ticks = 0;
    void OnTimer(Timer& timer) override {
        ++ticks;
        if (ticks == 3) timer.Stop();
    }
};

Framework::UniqueWindow MakeOwner() {
    return Framework::UniqueWindow(
        CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
}

// Pumps messages until `done` or about two seconds have passed.
template <typename Done>
void PumpUntil(Done done) {
    const ULONGLONG deadline = GetTickCount64() + 2000;
    MSG message;
    while (!done() && GetTickCount64() < deadline) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(5);
    }
}

TEST(TimerServiceWindow, OneHiddenTimersWindowServesEveryTimer) {
    Framework::UniqueWindow owner = MakeOwner();
    TimerService service;
    CountingHandler handler;
    Timer first(handler, owner.Get(), service);
    HWND window = service.Window();
    ASSERT_NE(window, nullptr);
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    EXPECT_STREQ(title, L"Timers");
    EXPECT_FALSE(IsWindowVisible(window));
    Timer second(handler, MakeOwner().Get(), service);
    EXPECT_EQ(service.Window(), window) << "later registrations reuse the window";
}

TEST(TimerServiceWindow, PlatformTimersReachTheHandlerUntilStopped) {
    Framework::UniqueWindow owner = MakeOwner();
    TimerService service;
    CountingHandler handler;
    Timer timer(handler, owner.Get(), service);
    timer.Start(10);
    PumpUntil([&] { return handler.ticks >= 3; });
    EXPECT_EQ(handler.ticks, 3);
    EXPECT_FALSE(timer.IsRunning());
    PumpUntil([] { return false; });  // stopped: no further ticks
    EXPECT_EQ(handler.ticks, 3);
    EXPECT_EQ(SendMessageW(service.Window(), WM_TIMER, 999, 0), 0) << "unknown ids are ignored";
    EXPECT_EQ(handler.ticks, 3);
}

TEST(TimerServiceWindow, StartFromAnotherThreadIsHandedToTheWindowThread) {
    Framework::UniqueWindow owner = MakeOwner();
    TimerService service;
    CountingHandler handler;
    Timer timer(handler, owner.Get(), service);
    std::thread([&] { timer.Start(10); }).join();
    PumpUntil([&] { return handler.ticks >= 3; });
    EXPECT_EQ(handler.ticks, 3);
}

TEST(TimerServiceWindow, WindowIsMadeAgainAfterItsOwnerWentAway) {
    TimerService service;
    CountingHandler handler;
    {
        Framework::UniqueWindow owner = MakeOwner();
        Timer timer(handler, owner.Get(), service);
    }
    Framework::UniqueWindow owner = MakeOwner();
    Timer timer(handler, owner.Get(), service);
    ASSERT_TRUE(IsWindow(service.Window()));
    timer.Start(10);
    PumpUntil([&] { return handler.ticks >= 3; });
    EXPECT_EQ(handler.ticks, 3);
}

}  // namespace
