// Windows the objects make themselves (class registration, ownership,
// destruction when the takeover fails) and the buffered paint of
// self-drawing controls, on real windows of this thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/BufferedPaintWindow.h"
#include "framework/GdiHandles.h"
#include "framework/OffscreenCanvas.h"
#include "framework/Window.h"
#include "framework/WindowClass.h"
#include "framework/WindowHandle.h"

namespace {

using Framework::UniqueWindow;
using Framework::Window;
using Framework::WindowClass;

constexpr WindowClass kTestClass{L"CorvaneFrameworkTestWindow", CS_DBLCLKS};

UniqueWindow MakeParent() {
    return Framework::CreateWindowOfClass(Framework::kStaticClass, {nullptr, {0, 0, 200, 100}, WS_POPUP});
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST(WindowCreation, AMadeWindowBelongsToItsObject) {
    UniqueWindow parent = MakeParent();
    HWND made = nullptr;
    {
        Window object;
        ASSERT_TRUE(object.Create(kTestClass, {parent.Get(), {1, 2, 31, 22}, WS_CHILD, 0, 77, L"made"}));
        made = object.Handle();
        EXPECT_EQ(Window::FromHandle(made), &object);
        EXPECT_EQ(ClassOf(made), L"CorvaneFrameworkTestWindow");
        EXPECT_EQ(GetDlgCtrlID(made), 77);
        EXPECT_EQ(GetParent(made), parent.Get());
        const RECT place = object.RectInParent();
        EXPECT_EQ(place.left, 1);
        EXPECT_EQ(place.bottom, 22);
        EXPECT_EQ(GetClassLongPtrW(made, GCL_STYLE) & CS_DBLCLKS, static_cast<ULONG_PTR>(CS_DBLCLKS));
        EXPECT_FALSE(object.Create(kTestClass, {parent.Get(), {}, WS_CHILD})) << "one window per object";
    }
    EXPECT_FALSE(IsWindow(made)) << "the object destroys the window it made";

    Window second;
    EXPECT_TRUE(second.Create(kTestClass, {parent.Get(), {}, WS_CHILD})) << "the class stays registered";
}

TEST(WindowCreation, ATakenOverWindowIsLeftToItsOwner) {
    UniqueWindow window = MakeParent();
    {
        Window object;
        ASSERT_TRUE(object.Subclass(window.Get()));
    }
    EXPECT_TRUE(IsWindow(window.Get()));
}

// Takes over every window this thread makes while it is installed, before
// the window's maker can.
Window* grabber = nullptr;
LRESULT CALLBACK GrabOnCreate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && grabber && !grabber->IsBound()) grabber->Subclass(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int ChildCount(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

TEST(WindowCreation, AWindowThatCannotBeTakenOverIsDestroyedAgain) {
    UniqueWindow parent = MakeParent();
    Window first;
    grabber = &first;
    HHOOK hook = SetWindowsHookExW(WH_CBT, GrabOnCreate, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Window second;
    const bool made = second.Create(kTestClass, {parent.Get(), {}, WS_CHILD});
    UnhookWindowsHookEx(hook);
    grabber = nullptr;
    EXPECT_FALSE(made);
    EXPECT_FALSE(second.IsBound());
    EXPECT_FALSE(first.IsBound()) << "the window is gone";
    EXPECT_EQ(ChildCount(parent.Get()), 0);

    Window third;
    EXPECT_FALSE(third.Create(WindowClass{L"NoSuchSystemClass", 0, nullptr, true}, {parent.Get(), {}, WS_CHILD}))
        << "an unknown class makes no window";
    EXPECT_FALSE(third.IsBound());
}

// Fills its area red; `draws` false leaves the target as it was.
class RedControl : public Framework::BufferedPaintWindow {
public:
    bool draws = true;
    RECT lastArea{};
    int paints = 0;

    explicit RedControl(PaintArea area = PaintArea::Client) : BufferedPaintWindow(area) {}

protected:
    bool DoPaint(HDC dc, const RECT& area) override {
        ++paints;
        lastArea = area;
        if (!draws) return false;
        Framework::UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc, &area, red.Get());
        return true;
    }
};

// A 40 by 20 surface to paint on, white to begin with.
struct Surface {
    Framework::WindowDC screen{nullptr};
    Framework::OffscreenCanvas canvas{screen.Get(), 40, 20};
    Surface() {
        RECT all{0, 0, 40, 20};
        FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
};

TEST(BufferedPaintWindow, PrintClientPaintsLikePaintAndEraseDoesNothing) {
    UniqueWindow parent = MakeParent();
    RedControl control;
    ASSERT_TRUE(control.Create(kTestClass, {parent.Get(), {0, 0, 30, 10}, WS_CHILD}));
    Surface surface;
    EXPECT_EQ(SendMessageW(control.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.canvas.Dc()), 0), 1);
    EXPECT_EQ(GetPixel(surface.canvas.Dc(), 0, 0), RGB(255, 255, 255)) << "erasing draws nothing";
    SendMessageW(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(GetPixel(surface.canvas.Dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(surface.canvas.Dc(), 29, 9), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(surface.canvas.Dc(), 30, 10), RGB(255, 255, 255)) << "only the client area";
    EXPECT_EQ(control.lastArea.right, 30);
}

TEST(BufferedPaintWindow, NothingToDrawLeavesTheTargetAsItWas) {
    UniqueWindow parent = MakeParent();
    RedControl control;
    control.draws = false;
    ASSERT_TRUE(control.Create(kTestClass, {parent.Get(), {0, 0, 30, 10}, WS_CHILD}));
    Surface surface;
    control.PaintTo(surface.canvas.Dc());
    EXPECT_EQ(control.paints, 1);
    EXPECT_EQ(GetPixel(surface.canvas.Dc(), 5, 5), RGB(255, 255, 255));
}

TEST(BufferedPaintWindow, ClipBoxPaintDrawsOnlyTheUpdateInClientCoordinates) {
    UniqueWindow parent = MakeParent();
    RedControl control(RedControl::PaintArea::ClipBox);
    ASSERT_TRUE(control.Create(kTestClass, {parent.Get(), {0, 0, 30, 10}, WS_CHILD | WS_VISIBLE}));
    ShowWindow(parent.Get(), SW_SHOWNA);
    UpdateWindow(parent.Get());
    control.paints = 0;
    const RECT update{10, 2, 20, 8};
    InvalidateRect(control.Handle(), &update, FALSE);
    UpdateWindow(control.Handle());
    ASSERT_EQ(control.paints, 1);
    EXPECT_TRUE(EqualRect(&control.lastArea, &update));
}

}  // namespace
