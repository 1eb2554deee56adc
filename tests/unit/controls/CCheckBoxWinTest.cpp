// CCheckBox painted through its owner-draw callback and compared, pixel by
// pixel, with the glyph of the strip its state names.
#include <windows.h>

#include <gtest/gtest.h>

#include "ControlsTestDialog.h"
#include "PixelCanvas.h"
#include "controls/CCheckBox.h"

namespace {

using namespace Controls;

class CCheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(box.SubclassDlgItem(IDC_TEST_CHECKBOX, dialog.Handle())); }

    // The glyph of the strip, its magenta background shown black.
    static void ExpectedGlyph(int glyph, PixelCanvas& out) {
        Framework::UniqueBitmap strip(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(158)));
        Framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        Framework::SelectionScope selected(dc.Get(), strip.Get());
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const COLORREF pixel = GetPixel(dc.Get(), glyph * 13 + x, y);
                SetPixel(out.Dc(), x, y, pixel == RGB(255, 0, 255) ? RGB(0, 0, 0) : pixel);
            }
    }

    void ExpectShows(int glyph, const char* step) {
        EXPECT_EQ(box.Glyph(), glyph) << step;
        PixelCanvas painted(13, 13, RGB(9, 9, 9)), expected(13, 13);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = box.Handle();
        item.hDC = painted.Dc();
        item.rcItem = {0, 0, 13, 13};
        SendMessageW(dialog.Handle(), WM_DRAWITEM, IDC_TEST_CHECKBOX, reinterpret_cast<LPARAM>(&item));
        ExpectedGlyph(glyph, expected);
        EXPECT_TRUE(painted.SameAs(expected)) << step;
    }

    ControlsTestDialog dialog;
    CCheckBox box;
};

TEST_F(CCheckBoxTest, IsAThirteenPixelOwnerDrawnBox) {
    const RECT client = box.ClientRect();
    EXPECT_EQ(client.right, 13);
    EXPECT_EQ(client.bottom, 13);
    EXPECT_EQ(GetWindowLongPtrW(box.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(CCheckBoxTest, ShowsEachOfTheSixGlyphs) {
    ExpectShows(kGlyphUnchecked, "initial");
    Mouse(box.Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    ExpectShows(kGlyphUncheckedPressed, "pressed");
    Mouse(box.Handle(), WM_LBUTTONUP, 5, 5);
    ExpectShows(kGlyphChecked, "released inside");
    Mouse(box.Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    ExpectShows(kGlyphCheckedPressed, "pressed again");
    Mouse(box.Handle(), WM_LBUTTONUP, 50, 50);
    ExpectShows(kGlyphCheckedPressed, "released outside keeps the pressed glyph");
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EnableWindow(box.Handle(), FALSE);
    ExpectShows(kGlyphCheckedDisabled, "disabled");
    SendMessageW(box.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    ExpectShows(kGlyphUncheckedDisabled, "unchecked while disabled");
    SendMessageW(box.Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(box.Handle(), TRUE);
    ExpectShows(kGlyphChecked, "checked while disabled, then enabled");
}

TEST_F(CCheckBoxTest, ClicksToggleAndNotifyTheParent) {
    Mouse(box.Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Mouse(box.Handle(), WM_LBUTTONUP, 5, 5);
    Mouse(box.Handle(), WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);  // the second click of a double click
    Mouse(box.Handle(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a double click toggles twice";
    EXPECT_EQ(dialog.Count(IDC_TEST_CHECKBOX, BN_CLICKED), 2);
}

TEST_F(CCheckBoxTest, KeysAndMovesChangeNothing) {
    SetFocus(box.Handle());
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) SendMessageW(box.Handle(), message, VK_SPACE, 0);
    Mouse(box.Handle(), WM_MOUSEMOVE, 3, 3);
    EXPECT_EQ(box.Glyph(), kGlyphUnchecked);
    EXPECT_EQ(dialog.Count(IDC_TEST_CHECKBOX, BN_CLICKED), 0);
}

TEST_F(CCheckBoxTest, OnlyOneOfOneMeansChecked) {
    for (WPARAM value : {WPARAM{2}, WPARAM{0}, WPARAM{7}}) {
        SendMessageW(box.Handle(), BM_SETCHECK, value, 0);
        EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << value;
    }
    SendMessageW(box.Handle(), BM_SETCHECK, 1, 0);
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(CCheckBoxSubclassing, ADisabledTemplateBoxStartsWithTheDisabledGlyph) {
    ControlsTestDialog dialog;
    EnableWindow(GetDlgItem(dialog.Handle(), IDC_TEST_CHECKBOX), FALSE);
    CCheckBox box;
    ASSERT_TRUE(box.SubclassDlgItem(IDC_TEST_CHECKBOX, dialog.Handle()));
    EXPECT_EQ(box.Glyph(), kGlyphUncheckedDisabled);
}

}  // namespace
