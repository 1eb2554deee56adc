// CLabel on a visible window: its look, and repainting without traces of the
// previous text, read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/CLabel.h"
#include "controls/LabelLook.h"
#include "framework/GdiHandles.h"
#include "framework/Window.h"
#include "framework/WindowHandle.h"

namespace {

constexpr COLORREF kPageColour = RGB(10, 30, 70);

// A page that paints a plain picture as its background.
class PlainPage : public Framework::Window {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        if (message == WM_PAINT) return OnPaint();
        return Window::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnPaint() {
        Framework::PaintDC paint(Handle());  // the picture is all background
        return 0;
    }
    LRESULT OnEraseBackground(HDC dc) {
        Framework::UniqueBrush brush(CreateSolidBrush(kPageColour));
        const RECT client = ClientRect();
        FillRect(dc, &client, brush.Get());
        return 1;
    }
};

class CLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.Reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 50, 50, 400, 100, nullptr, nullptr, nullptr,
                                      nullptr));
        page_.Subclass(window_.Get());
        HWND labelWindow = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 380, 40,
                                           window_.Get(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(label_.Subclass(labelWindow));
        ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
        UpdateWindow(window_.Get());
    }

    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    // Pixels of the label's area with exactly `colour`, in columns from `left`.
    int CountOnScreen(COLORREF colour, int left) {
        Pump();
        Framework::WindowDC dc(window_.Get());
        int count = 0;
        for (int y = 10; y < 50; ++y)
            for (int x = 10 + left; x < 390; ++x) count += GetPixel(dc.Get(), x, y) == colour;
        return count;
    }

    Framework::UniqueWindow window_;
    PlainPage page_;
    CLabel label_;
};

// A preset puts its look on the control: face, size, weight and colour, on a
// transparent label drawn smoothly.
TEST_F(CLabelTest, PresetsGiveTheLookOfTheWizard) {
    for (const auto preset : {Controls::LabelPreset::Heading, Controls::LabelPreset::BodyText}) {
        const Controls::LabelLookValues look = Controls::LookOf(preset);
        ApplyLabelStyle(label_, preset);
        const LOGFONTW& font = label_.FontDescription();
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName)), std::u16string(look.face));
        EXPECT_EQ(font.lfHeight, look.height);
        EXPECT_EQ(font.lfWeight, look.weight);
        EXPECT_EQ(font.lfQuality, ANTIALIASED_QUALITY);
        EXPECT_EQ(label_.TextColor(), RGB(look.red, look.green, look.blue));
        EXPECT_TRUE(label_.IsTransparent());
        EXPECT_TRUE(GetWindowLongPtrW(label_.Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    }
}

TEST_F(CLabelTest, ShorterTextLeavesNoTraceOfTheLongerOne) {
    ApplyLabelStyle(label_, Controls::LabelPreset::Heading);
    label_.SetTextColor(RGB(255, 255, 0)).SetFontSize(30);
    label_.SetText(u"WWWWWWWWWWWWWWWWWWWW");
    EXPECT_GT(CountOnScreen(RGB(255, 255, 0), 100), 0) << "the long text reaches past column 100";
    label_.SetText(u"W");
    EXPECT_EQ(CountOnScreen(RGB(255, 255, 0), 100), 0);
    EXPECT_GT(CountOnScreen(RGB(255, 255, 0), 0), 0);
    EXPECT_GT(CountOnScreen(kPageColour, 100), 0) << "the page shows through a transparent label";

}

TEST_F(CLabelTest, OpaqueLabelFillsItsBackground) {
    label_.SetTextColor(RGB(255, 255, 0)).SetText(u"x");
    EXPECT_EQ(CountOnScreen(kPageColour, 100), 0);
    EXPECT_GT(CountOnScreen(GetSysColor(COLOR_BTNFACE), 100), 0);
}

TEST(CLabel, SettingTextBeforeTheWindowExistsDoesNothing) {
    CLabel label;
    label.SetText(u"too early").SetTextColor(RGB(1, 2, 3));
    EXPECT_FALSE(label.IsBound());
    EXPECT_EQ(label.TextColor(), RGB(1, 2, 3));
}

}  // namespace
