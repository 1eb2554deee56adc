// Window binding, dispatch, reflection, the exception boundary and the
// pre-translation walk, on real windows of this thread.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/MessageBoundary.h"
#include "framework/Window.h"
#include "framework/WindowHandle.h"

namespace {

using Framework::UniqueWindow;
using Framework::Window;

UniqueWindow MakeStatic(HWND parent = nullptr, int id = 0) {
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"text", style, 0, 0, 100, 30, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr));
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[128] = {};
    GetWindowTextW(window, buffer, 128);
    return buffer;
}

// Counts one private message and answers it; everything else is default.
class CountingWindow : public Window {
public:
    int count = 0;
    int finals = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) return OnApp(wParam);
        return Window::WindowProc(message, wParam, lParam);
    }
    void OnFinalMessage() override { ++finals; }

private:
    LRESULT OnApp(WPARAM wParam) {
        ++count;
        return static_cast<LRESULT>(wParam) * 2;
    }
};

TEST(Window, SubclassRoutesMessagesAndKeepsTheDefaultBehaviour) {
    UniqueWindow window = MakeStatic();
    CountingWindow object;
    ASSERT_TRUE(object.Subclass(window.Get()));
    EXPECT_EQ(Window::FromHandle(window.Get()), &object);

    EXPECT_EQ(SendMessageW(window.Get(), WM_APP, 21, 0), 42);
    SetWindowTextW(window.Get(), L"changed");  // reaches the static's own procedure
    EXPECT_EQ(TextOf(window.Get()), L"changed");
    EXPECT_EQ(object.count, 1);

    CountingWindow second;
    EXPECT_FALSE(second.Subclass(window.Get())) << "one object per window";
    EXPECT_FALSE(second.Subclass(nullptr));
    EXPECT_FALSE(object.Subclass(MakeStatic().Get())) << "one window per object";
}

TEST(Window, DestroyingTheObjectGivesTheWindowBack) {
    UniqueWindow window = MakeStatic();
    {
        CountingWindow object;
        ASSERT_TRUE(object.Subclass(window.Get()));
    }
    EXPECT_EQ(Window::FromHandle(window.Get()), nullptr);
    EXPECT_EQ(SendMessageW(window.Get(), WM_APP, 21, 0), 0);
    SetWindowTextW(window.Get(), L"still works");
    EXPECT_EQ(TextOf(window.Get()), L"still works");
}

TEST(Window, DestroyingTheWindowUnbindsTheObject) {
    UniqueWindow window = MakeStatic();
    CountingWindow object;
    ASSERT_TRUE(object.Subclass(window.Get()));
    DestroyWindow(window.Release());
    EXPECT_FALSE(object.IsBound());
    EXPECT_EQ(object.finals, 1);
    // The object can take over another window afterwards.
    UniqueWindow other = MakeStatic();
    EXPECT_TRUE(object.Subclass(other.Get()));
}

// A control that answers the messages its parent reflects to it.
class ReflectingChild : public Window {
public:
    std::vector<UINT> seen;
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));

protected:
    bool OnReflected(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        seen.push_back(message);
        if (message == WM_COMMAND) return false;  // left to the parent
        result = message == WM_CTLCOLORSTATIC ? reinterpret_cast<LRESULT>(brush) : 7;
        return true;
    }
};

TEST(Window, ParentReflectsControlMessagesToTheChildObject) {
    UniqueWindow parentWindow = MakeStatic();
    Window parent;
    ASSERT_TRUE(parent.Subclass(parentWindow.Get()));
    HWND childWindow = MakeStatic(parentWindow.Get(), 7).Release();  // destroyed with the parent
    ReflectingChild child;
    ASSERT_TRUE(child.Subclass(childWindow));
    HWND plainChild = MakeStatic(parentWindow.Get(), 8).Release();

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = childWindow;
    NMHDR notify{childWindow, 7, NM_CLICK};
    HDC dc = GetDC(childWindow);
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
    } cases[] = {
        {WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&draw), 7},
        {WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&notify), 7},
        {WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(childWindow),
         reinterpret_cast<LRESULT>(child.brush)},
        {WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(childWindow), 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageW(parentWindow.Get(), c.message, c.wParam, c.lParam), c.expected) << c.message;
    EXPECT_EQ(child.seen.size(), std::size(cases));

    // Not handled by the child, or no object on the child: the parent's default answers.
    EXPECT_EQ(SendMessageW(parentWindow.Get(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED),
                           reinterpret_cast<LPARAM>(childWindow)), 0);
    EXPECT_EQ(child.seen.back(), static_cast<UINT>(WM_COMMAND));
    notify.hwndFrom = plainChild;
    EXPECT_EQ(SendMessageW(parentWindow.Get(), WM_NOTIFY, 8, reinterpret_cast<LPARAM>(&notify)), 0);
    ReleaseDC(childWindow, dc);
}

class ThrowingWindow : public Window {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw std::runtime_error("handler failed");
        return Window::WindowProc(message, wParam, lParam);
    }
};

TEST(Window, ExceptionsStopAtTheWindowProcedureAndAreRethrownLater) {
    UniqueWindow window = MakeStatic();
    ThrowingWindow object;
    ASSERT_TRUE(object.Subclass(window.Get()));
    EXPECT_EQ(SendMessageW(window.Get(), WM_APP, 0, 0), 0);
    EXPECT_THROW(Framework::RethrowParkedException(), std::runtime_error);
    EXPECT_NO_THROW(Framework::RethrowParkedException()) << "rethrown once only";
}

// Records the order in which the walk offers a message.
class PreTranslating : public Window {
public:
    PreTranslating(std::vector<int>& log, int name, bool stop) : log_(log), name_(name), stop_(stop) {}
    bool PreTranslateMessage(MSG&) override {
        log_.push_back(name_);
        return stop_;
    }

private:
    std::vector<int>& log_;
    int name_;
    bool stop_;
};

TEST(Window, PreTranslationWalksFromTheInnermostWindowUpToTheStop) {
    struct Case {
        bool childStops;
        bool parentStops;
        std::vector<int> expected;
        bool result;
    } cases[] = {
        {false, false, {1, 2}, false},
        {true, false, {1}, true},
        {false, true, {1, 2}, true},
    };
    for (const Case& c : cases) {
        std::vector<int> log;
        UniqueWindow outer = MakeStatic();
        HWND middle = MakeStatic(outer.Get()).Release();
        HWND inner = MakeStatic(middle).Release();
        PreTranslating outerObject(log, 3, true), middleObject(log, 2, c.parentStops),
            innerObject(log, 1, c.childStops);
        outerObject.Subclass(outer.Get());
        middleObject.Subclass(middle);
        innerObject.Subclass(inner);
        MSG message{inner, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        EXPECT_EQ(Framework::WalkPreTranslateTree(middle, message), c.result);
        EXPECT_EQ(log, c.expected) << "the walk never passes the stop window";
    }
}

TEST(GdiScopes, SelectionIsUndoneAtScopeExit) {
    Framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_FONT);
    Framework::UniqueFont font(CreateFontW(20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"));
    {
        Framework::SelectionScope scope(dc.Get(), font.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), before);
}

}  // namespace
