// PngButton drawn through its owner-draw callback into a pixel canvas: the
// state images over the background slice, the caption colours, and the
// hover, press and key rules.
#include <windows.h>

#include <gtest/gtest.h>

#include "ControlsTestDialog.h"
#include "PixelCanvas.h"
#include "controls/PngButton.h"

namespace {

constexpr int kNormal = 155, kHover = 156, kPressed = 154, kBackground = 1229;
constexpr COLORREF kNormalText = RGB(255, 0, 0), kHoverText = RGB(0, 255, 0), kDisabledText = RGB(0, 0, 255);

class PngButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(button.SubclassDlgItem(IDC_TEST_PNGBUTTON, dialog.Handle()));
        ASSERT_TRUE(button.SetImages(kNormal, kHover, kPressed, dialog.Handle()));
        button.SetTextColors(kNormalText, kHoverText, kDisabledText);
        SetWindowTextW(button.Handle(), L"");
    }

    // The button as its parent asks it to paint itself.
    void Render(PixelCanvas& canvas, UINT itemState = 0) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_TEST_PNGBUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = button.Handle();
        item.hDC = canvas.Dc();
        item.rcItem = {0, 0, canvas.Width(), canvas.Height()};
        EXPECT_EQ(SendMessageW(dialog.Handle(), WM_DRAWITEM, IDC_TEST_PNGBUTTON, reinterpret_cast<LPARAM>(&item)),
                  TRUE);
    }

    // What the button must look like: the background slice under it, then the image.
    void Expect(int imageId, const char* state, int backgroundId = kBackground) {
        const RECT place = button.RectInParent();
        SmartBitmap background, image;
        background.LoadFromResource(backgroundId);
        image.LoadFromResource(imageId);
        PixelCanvas expected(110, 38), rendered(110, 38);
        {
            auto graphics = expected.Graphics();
            background.Draw(graphics.Get(), -place.left, -place.top);
            image.Draw(graphics.Get(), 0, 0);
        }
        Render(rendered);
        EXPECT_TRUE(rendered.SameAs(expected)) << state;
    }

    ControlsTestDialog dialog;
    PngButton button;
};

TEST_F(PngButtonTest, BecomesAnOwnerDrawnButtonOfItsImageSize) {
    EXPECT_EQ(GetWindowLongPtrW(button.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    const RECT client = button.ClientRect();
    EXPECT_EQ(client.right, 110);
    EXPECT_EQ(client.bottom, 38);
}

TEST_F(PngButtonTest, ImagesFollowHoverPressAndLeave) {
    Expect(kNormal, "normal");
    Mouse(button.Handle(), WM_MOUSEMOVE, 5, 5);
    Expect(kHover, "hovering");
    Mouse(button.Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Expect(kPressed, "pressed");
    Mouse(button.Handle(), WM_LBUTTONUP, 5, 5);
    Expect(kHover, "released");
    SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
    Expect(kNormal, "left");
    EXPECT_EQ(dialog.Count(IDC_TEST_PNGBUTTON, BN_CLICKED), 1);
}

TEST_F(PngButtonTest, ReleasedOutsideKeepsTheHoverImageUntilTheLeaveNotification) {
    Mouse(button.Handle(), WM_MOUSEMOVE, 5, 5);
    Mouse(button.Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Mouse(button.Handle(), WM_LBUTTONUP, 300, 300);
    EXPECT_EQ(button.CurrentImage(), &button.HoverImage());
    EXPECT_EQ(dialog.Count(IDC_TEST_PNGBUTTON, BN_CLICKED), 0) << "a release outside is no click";
    SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(button.CurrentImage(), &button.NormalImage());
}

TEST_F(PngButtonTest, OneHoverNotificationPerEntry) {
    for (int move = 0; move < 3; ++move) Mouse(button.Handle(), WM_MOUSEMOVE, 5 + move, 5);
    EXPECT_EQ(dialog.Count(IDC_TEST_PNGBUTTON, PngButton::kHoverNotification), 1);
    SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
    Mouse(button.Handle(), WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(dialog.Count(IDC_TEST_PNGBUTTON, PngButton::kHoverNotification), 2);
    EXPECT_EQ(dialog.Count(IDC_TEST_PNGBUTTON, BN_CLICKED), 0) << "hovering is no click";
}

TEST_F(PngButtonTest, KeysNeverPressTheButton) {
    SetFocus(button.Handle());
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) SendMessageW(button.Handle(), message, VK_SPACE, 0);
    EXPECT_EQ(dialog.Count(IDC_TEST_PNGBUTTON, BN_CLICKED), 0);
}

TEST_F(PngButtonTest, CaptionColourFollowsTheState) {
    SetWindowTextW(button.Handle(), L"NEXT");
    struct Case {
        const char* state;
        bool hover;
        UINT itemState;
        COLORREF shown;
    } cases[] = {
        {"normal", false, 0, kNormalText},
        {"hover", true, 0, kHoverText},
        {"disabled while hovering", true, ODS_DISABLED, kDisabledText},
    };
    for (const Case& c : cases) {
        if (c.hover) Mouse(button.Handle(), WM_MOUSEMOVE, 5, 5);
        PixelCanvas canvas(110, 38);
        Render(canvas, c.itemState);
        for (COLORREF colour : {kNormalText, kHoverText, kDisabledText})
            EXPECT_EQ(canvas.Count(colour) > 0, colour == c.shown) << c.state;
    }
}

TEST_F(PngButtonTest, CaptionSitsAtTheComputedTopPlusTheOffset) {
    SetWindowTextW(button.Handle(), L"NEXT");
    auto topRow = [this](int offsetY) {
        button.SetTextOffset(0, offsetY);
        PixelCanvas canvas(110, 38);
        Render(canvas);
        for (int y = 0; y < 38; ++y)
            for (int x = 0; x < 110; ++x)
                if (canvas.At(x, y) == kNormalText) return y;
        return -1;
    };
    const int plain = topRow(0);
    ASSERT_GE(plain, 0);
    EXPECT_EQ(topRow(4), plain + 4);
}

TEST_F(PngButtonTest, DrawsTheLastBackgroundThatExists) {
    constexpr int kStage = 136, kMissing = 1265;
    Expect(kNormal, "default background");
    button.SetBackgroundImage(kStage);
    Expect(kNormal, "background set after a first drawing", kStage);
    button.SetBackgroundImage(kMissing);
    Expect(kNormal, "a missing background leaves the last one", kStage);
}

TEST_F(PngButtonTest, MissingImagesAreReportedAndDrawNothing) {
    EXPECT_FALSE(button.SetImages(1265, kHover, kPressed, dialog.Handle()));
    const RECT client = button.ClientRect();
    EXPECT_EQ(client.right, 0) << "sized to the missing normal image";
}

}  // namespace
