// The component list and the skinned scroll bars as real windows under
// Wine: drawing read back from pixels, mouse and keys sent as messages, and
// the notifications and scroll messages that come out.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "PixelCanvas.h"
#include "controls/CHTMLListCtrl.h"
#include "controls/CSkinScrollWnd.h"
#include "controls/DrawMarkupText.h"

namespace {

using namespace Controls;

constexpr int kSkin = 166;
constexpr int kCell = 13;
constexpr COLORREF kTitleColour = RGB(0xC4, 0xDC, 0xEB);
constexpr COLORREF kDescriptionColour = RGB(0x14, 0x87, 0xDC);

void Pump(DWORD milliseconds = 0) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds) Sleep(10);
    } while (GetTickCount64() < end);
}

std::u16string Entry(const char16_t* title) {
    return u"<b><font color=\"#c4dceb\"> " + std::u16string(title) +
           u"</font></b> <br> <font color=\"#1487DC\" size=\"2\"> A description of the feature</font>";
}

// A top-level window holding the list, recording its notifications.
class Host : public Framework::Window {
public:
    Host() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ListTestHost";
        RegisterClassW(&windowClass);
        Subclass(CreateWindowExW(0, L"ListTestHost", L"list test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                 600, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    ~Host() override {
        HWND window = Handle();
        Unsubclass();
        DestroyWindow(window);
    }

    struct Note {
        UINT code;
        int item;
        BOOL checked;
    };
    std::vector<Note> notes;
    std::vector<std::pair<WORD, WORD>> scrolls;  // (request, position) seen by a plain parent

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            const auto* note = reinterpret_cast<const HTMLLIST_NOTIFY*>(lParam);
            notes.push_back({note->header.code, note->item, note->checked});
            return 0;
        }
        if (message == WM_VSCROLL) scrolls.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return Framework::Window::WindowProc(message, wParam, lParam);
    }
};

struct Skin {
    Framework::UniqueBitmap bitmap{static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kSkin), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))};
    COLORREF At(int x, int y) const {
        Framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        Framework::SelectionScope selected(dc.Get(), bitmap.Get());
        return GetPixel(dc.Get(), x, y);
    }
};

int CountInRows(const PixelCanvas& canvas, COLORREF colour, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < canvas.Width(); ++x) count += canvas.At(x, y) == colour;
    return count;
}

}  // namespace

TEST(DrawMarkupText, MeasuresAndDrawsColouredBoldLines) {
    PixelCanvas canvas(400, 60);
    Framework::UniqueFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                                           L"Tahoma"));
    Framework::SelectionScope selected(canvas.Dc(), font.Get());
    SetBkMode(canvas.Dc(), TRANSPARENT);
    const std::u16string text = Entry(u"Word integration");
    RECT measured{0, 0, 400, 0};
    const int above = DrawMarkupText(canvas.Dc(), &measured, reinterpret_cast<const wchar_t*>(text.c_str()), -1,
                                     DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(above, 0);
    EXPECT_EQ(measured.bottom, 2 * above) << "two lines of equal height";
    EXPECT_GT(measured.right, 100);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), 400 * 60) << "measuring draws nothing";

    RECT area{0, 0, 400, 60};
    DrawMarkupText(canvas.Dc(), &area, reinterpret_cast<const wchar_t*>(text.c_str()), -1, DT_WORDBREAK);
    EXPECT_GT(CountInRows(canvas, kTitleColour, 0, above), 20);
    EXPECT_EQ(CountInRows(canvas, kDescriptionColour, 0, above), 0);
    EXPECT_GT(CountInRows(canvas, kDescriptionColour, above, 2 * above), 20);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 0)) << "the device context is left as it was";

    // Bold is wider than regular for the same word.
    RECT bold{0, 0, 400, 0}, regular{0, 0, 400, 0};
    DrawMarkupText(canvas.Dc(), &bold, L"<b>Integration</b>", -1, DT_CALCRECT);
    DrawMarkupText(canvas.Dc(), &regular, L"Integration", -1, DT_CALCRECT);
    EXPECT_GT(bold.right, regular.right);
}

class HtmlListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.Create({10, 10, 410, 210}, host.Handle()));
        list.SetCheckBoxes();
        for (const char16_t* title : {u"Word", u"Excel", u"Outlook", u"Power Point", u"Publisher", u"Shell",
                                      u"Internet Explorer", u"Firefox", u"Previewer", u"Extra one", u"Extra two",
                                      u"Extra three"}) {
            const int id = list.InsertItem(Entry(title));
            list.FindItem(id)->userValue = 0x20 << id;
            list.FindItem(id)->checked = true;
        }
        Paint();
    }

    void Paint() {
        canvas = std::make_unique<PixelCanvas>(400, 200, RGB(9, 9, 9));
        SendMessageW(list.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
    }

    POINT CheckBoxOf(int id) {
        const RECT box = {list.FindItem(id)->rect.left, list.FindItem(id)->rect.top, 0, list.FindItem(id)->rect.bottom};
        return {box.left + 10, box.top + (box.bottom - box.top) / 2};
    }

    void Click(POINT at) {
        SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageW(list.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }

    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const auto& note : host.notes) codes.push_back(note.code);
        return codes;
    }

    Host host;
    CHTMLListCtrl list;
    std::unique_ptr<PixelCanvas> canvas;
};

TEST_F(HtmlListTest, ItemsStackWithTheirCheckBoxPictures) {
    ASSERT_EQ(list.ItemCount(), 12);
    int top = 0;
    for (const HTMLLIST_ITEM& item : list.Items()) {
        EXPECT_EQ(item.rect.top, top);
        EXPECT_GT(item.height, 20);
        top += item.height;
    }
    EXPECT_EQ(list.TotalHeight(), top);
    EXPECT_GT(top, 400) << "twelve entries need the scroll bar";

    // The check box picture of the first item: checked, then unchecked.
    Framework::UniqueBitmap on(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1319)));
    Framework::UniqueBitmap off(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1320)));
    const HTMLLIST_ITEM& first = *list.FindItem(0);
    const int pictureTop = CheckBoxPictureTop(first.rect);
    auto shows = [&](HBITMAP picture) {
        Framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        Framework::SelectionScope selected(dc.Get(), picture);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (canvas->At(3 + x, pictureTop + y) != GetPixel(dc.Get(), x, y)) return false;
        return true;
    };
    EXPECT_TRUE(shows(on.Get()));
    list.FindItem(0)->checked = false;
    Paint();
    EXPECT_TRUE(shows(off.Get()));
    EXPECT_GT(CountInRows(*canvas, kTitleColour, first.rect.top, first.rect.bottom), 20);
}

TEST_F(HtmlListTest, ClickOnTheCheckBoxTogglesThenSelects) {
    Click(CheckBoxOf(1));
    EXPECT_FALSE(list.FindItem(1)->checked);
    EXPECT_EQ(Codes(), (std::vector<UINT>{HTMLLIST_LBUTTONDOWN, HTMLLIST_ITEMCHECKED, HTMLLIST_SELCHANGED}));
    EXPECT_EQ(host.notes[1].item, 1);
    EXPECT_EQ(host.notes[1].checked, FALSE);
    EXPECT_EQ(host.notes[2].item, 1);
    EXPECT_EQ(list.Selected(), 1);

    // On the text: selects without toggling. Below the items: selection none, item -1.
    host.notes.clear();
    const RECT text{list.FindItem(2)->rect.left, list.FindItem(2)->rect.top, 0, 0};
    Click({text.left + 200, text.top + 10});
    EXPECT_TRUE(list.FindItem(2)->checked);
    EXPECT_EQ(Codes(), (std::vector<UINT>{HTMLLIST_LBUTTONDOWN, HTMLLIST_SELCHANGED}));
    EXPECT_EQ(list.Selected(), 2);

    SendMessageW(list.Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.notes.back().code, static_cast<UINT>(HTMLLIST_LBUTTONDBLCLK));
    EXPECT_EQ(host.notes[host.notes.size() - 2].code, static_cast<UINT>(HTMLLIST_RBUTTONDOWN));
}

TEST_F(HtmlListTest, KeysMoveTheSelectionScrollItIntoViewAndToggle) {
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.Selected(), 11) << "Down with no selection selects the last item";
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), list.TotalHeight() - 200);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.Selected(), 11);

    SendMessageW(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(list.FindItem(11)->checked);
    EXPECT_EQ(host.notes.back().code, static_cast<UINT>(HTMLLIST_ITEMCHECKED));

    for (int i = 0; i < 12; ++i) SendMessageW(list.Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), 0);
    EXPECT_EQ(SendMessageW(list.Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(HtmlListTest, WheelAndScrollRequestsMoveTheView) {
    SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), 40);
    SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), 0);
    SendMessageW(list.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), 50);
    SendMessageW(list.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 70), 0);
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), 70);
    Paint();
    EXPECT_EQ(list.FindItem(0)->rect.top, -70);
}

class SkinnedScrollTest : public HtmlListTest {
protected:
    void SetUp() override {
        HtmlListTest::SetUp();
        original = list.RectInParent();
        frame = AttachSkinnedScrollBars(list.Handle(), std::make_unique<CSkinScrollWnd>(), skin.bitmap.Get());
        ASSERT_NE(frame, nullptr);
        Pump(50);
    }

    RECT BarRect() { return frame->VerticalBar().RectInParent(); }

    void Press(int part, bool release = true) {
        const BarLayout layout = LayOutBar(BarRect().bottom - BarRect().top, kCell, frame->VerticalBar().State());
        const int y = (layout.SpanOf(part).start + layout.SpanOf(part).end) / 2;
        SendMessageW(frame->VerticalBar().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
        if (release) SendMessageW(frame->VerticalBar().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    }

    int ListPosition() { return GetScrollPos(list.Handle(), SB_VERT); }

    Skin skin;
    RECT original{};
    CSkinScrollWnd* frame = nullptr;
};

TEST_F(SkinnedScrollTest, WrappingPutsAFrameInThePlaceAndABarOverTheSystemOne) {
    EXPECT_EQ(GetParent(list.Handle()), frame->Limit());
    EXPECT_EQ(frame->RectInParent().left, original.left);
    EXPECT_EQ(frame->RectInParent().top, original.top);
    EXPECT_EQ(GetDlgCtrlID(frame->Handle()), static_cast<int>(CHTMLListCtrl::kControlId));

    const RECT bar = BarRect();
    EXPECT_TRUE(IsWindowVisible(frame->VerticalBar().Handle()));
    EXPECT_FALSE(IsWindowVisible(frame->HorizontalBar().Handle()));
    EXPECT_EQ(bar.right - bar.left, kCell);
    EXPECT_EQ(bar.right, original.right - original.left) << "at the frame's right edge";
    const RECT limit = [&] {
        RECT rect{};
        GetClientRect(frame->Limit(), &rect);
        return rect;
    }();
    EXPECT_EQ(limit.right, bar.left) << "the clipping window ends where the bar begins";
    RECT listClient{};
    GetClientRect(list.Handle(), &listClient);
    EXPECT_EQ(listClient.right, bar.left) << "the list's client area reaches the bar";

    // The bar follows the list's scroll state.
    const ScrollState& state = frame->VerticalBar().State();
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list.Handle(), SB_VERT, &info);
    EXPECT_EQ(state.maximum, list.TotalHeight());
    EXPECT_EQ(state.page, static_cast<int>(info.nPage));
    EXPECT_EQ(info.nPage, static_cast<UINT>(listClient.bottom));
    EXPECT_EQ(frame->Corner(), 0);
}

TEST_F(SkinnedScrollTest, ArrowsAndTrackDriveTheListAndTheBarFollows) {
    Press(ScrollPart::kLineDown);
    EXPECT_EQ(ListPosition(), 50);
    EXPECT_EQ(frame->VerticalBar().State().position, 50);
    Press(ScrollPart::kPageDown);
    EXPECT_EQ(ListPosition(), 100);
    Press(ScrollPart::kLineUp);
    EXPECT_EQ(ListPosition(), 50);

    // Scrolling the list some other way reaches the bar through the periodic check.
    SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    Pump(700);
    EXPECT_EQ(frame->VerticalBar().State().position, 10);
}

TEST_F(SkinnedScrollTest, HoldingAnArrowRepeatsAfterHalfASecond) {
    Press(ScrollPart::kLineDown, false);
    EXPECT_EQ(ListPosition(), 50);
    Pump(300);
    EXPECT_EQ(ListPosition(), 50) << "nothing more before 500 ms";
    Pump(600);
    EXPECT_GT(ListPosition(), 50);
    SendMessageW(frame->VerticalBar().Handle(), WM_LBUTTONUP, 0, 0);
    const int released = ListPosition();
    Pump(300);
    EXPECT_EQ(ListPosition(), released) << "the repeat stops with the button";
}

TEST_F(SkinnedScrollTest, DraggingTheThumbTracksAndStopsAtTheEnd) {
    CSkinScrollBar& bar = frame->VerticalBar();
    const int length = BarRect().bottom - BarRect().top;
    const BarLayout layout = LayOutBar(length, kCell, bar.State());
    const int y = (layout.thumb.start + layout.thumb.end) / 2;
    host.scrolls.clear();
    SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
    EXPECT_TRUE(bar.IsDragging());
    SendMessageW(bar.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, y + 10));
    const int tracked = DraggedPosition(length, kCell, bar.State(), 0, 10);
    EXPECT_EQ(bar.State().trackPosition, tracked);
    EXPECT_EQ(ListPosition(), tracked);
    SendMessageW(bar.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, y + 1000));
    EXPECT_EQ(bar.State().trackPosition, ScrollLimit(bar.State()));
    SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, y + 1000));
    EXPECT_FALSE(bar.IsDragging());
    EXPECT_EQ(bar.State().trackPosition, -1);
    EXPECT_EQ(ListPosition(), ScrollLimit(bar.State()));
}

TEST_F(SkinnedScrollTest, BarIsPaintedFromTheSkin) {
    CSkinScrollBar& bar = frame->VerticalBar();
    const int length = BarRect().bottom - BarRect().top;
    PixelCanvas painted(kCell, length, RGB(9, 9, 9));
    bar.PaintTo(painted.Dc());
    const BarLayout layout = LayOutBar(length, kCell, bar.State());
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            EXPECT_EQ(painted.At(x, y), skin.At(SkinCell::kUpArrow * kCell + x, y));
            EXPECT_EQ(painted.At(x, length - kCell + y), skin.At(SkinCell::kDownArrow * kCell + x, y));
        }
    }
    // Thumb caps from the thumb cell, track tiled from the track cell.
    EXPECT_EQ(painted.At(6, layout.thumb.start), skin.At(SkinCell::kVerticalThumb * kCell + 6, 0));
    EXPECT_EQ(painted.At(6, layout.thumb.end - 1), skin.At(SkinCell::kVerticalThumb * kCell + 6, kCell - 1));
    EXPECT_EQ(painted.At(6, layout.pageDown.start + kCell + 2), skin.At(SkinCell::kVerticalTrack * kCell + 6, 2));

    // Hovering the down arrow shows the hover row.
    SendMessageW(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, length - 5));
    bar.PaintTo(painted.Dc());
    EXPECT_EQ(painted.At(6, length - kCell + 6), skin.At(SkinCell::kDownArrow * kCell + 6, kCell + 6));
}

TEST_F(SkinnedScrollTest, DetachingGivesTheListBackAndRemovesTheFrame) {
    HWND frameWindow = frame->Handle();
    ASSERT_TRUE(DetachSkinnedScrollBars(list.Handle()));
    EXPECT_FALSE(IsWindow(frameWindow));
    EXPECT_EQ(GetParent(list.Handle()), host.Handle());
    EXPECT_EQ(list.RectInParent().left, original.left);
    EXPECT_EQ(list.RectInParent().top, original.top);
    EXPECT_EQ(SkinnedScrollFrameOf(list.Handle()), nullptr);
    EXPECT_FALSE(DetachSkinnedScrollBars(list.Handle()));
}

TEST_F(SkinnedScrollTest, DestroyingTheListRemovesTheFrame) {
    HWND frameWindow = frame->Handle();
    DestroyWindow(list.Handle());
    EXPECT_FALSE(IsWindow(frameWindow));
}

TEST_F(SkinnedScrollTest, NothingToScrollDisablesTheBarAndDrawsNoThumb) {
    // The page equals the range; the system bar stays, disabled.
    SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, 99, 100, 0, 0};
    SetScrollInfo(list.Handle(), SB_VERT, &info, TRUE);
    RedrawWindow(list.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    Pump(50);
    CSkinScrollBar& bar = frame->VerticalBar();
    EXPECT_EQ(bar.State().page, 100);
    EXPECT_FALSE(IsWindowEnabled(bar.Handle()));

    const int length = BarRect().bottom - BarRect().top;
    EXPECT_EQ(LayOutBar(length, kCell, bar.State()).thumbLength, 0);
    PixelCanvas painted(kCell, length, RGB(9, 9, 9));
    bar.PaintTo(painted.Dc());
    for (int y : {kCell + 1, length / 2, length - kCell - 1})
        EXPECT_EQ(painted.At(6, y), skin.At(SkinCell::kVerticalTrack * kCell + 6, (y - kCell) % kCell)) << y;
}
