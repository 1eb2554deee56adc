#include "controls/CHTMLListCtrl.h"

#include <shlwapi.h>
#include <windowsx.h>

#include "common/WideText.h"
#include "controls/DrawMarkupText.h"

namespace {

namespace HtmlItemType = Controls::HtmlItemType;
using Controls::MarkupRect;

constexpr int kWheelStep = 40;
constexpr int kScrollStep = 50;
constexpr int kCheckBoxSize = 16;
constexpr int kTextInset = 5;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_EXTERNALLEADING;

RECT ToRect(const MarkupRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

constexpr Framework::WindowClass kListClass{CHTMLListCtrl::kClassName, CS_DBLCLKS};

HFONT CreateListFont(BYTE charSet = DEFAULT_CHARSET) {
    LOGFONTW font{};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charSet;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HBITMAP LoadCheckBitmap(int id) {
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

CHTMLListCtrl::CHTMLListCtrl()
    : BufferedPaintWindow(PaintArea::ClipBox),
      model_([this](const HTMLLIST_ITEM& item, int width) { return MeasureText(item, width); }),
      font_(CreateListFont()),
      checked_(LoadCheckBitmap(kCheckedBitmap)),
      unchecked_(LoadCheckBitmap(kUncheckedBitmap)) {}

bool CHTMLListCtrl::Create(const RECT& rect, HWND parent) {
    if (!Window::Create(kListClass, {parent, rect, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, kControlId, L"CHListCtrl"}))
        return false;
    const RECT client = ClientRect();
    width_ = client.right;
    height_ = client.bottom;
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    return true;
}

int CHTMLListCtrl::MeasureText(const HTMLLIST_ITEM& item, int width) {
    Framework::WindowDC windowDc(Handle());
    RECT area{0, 0, width, 0};
    if (item.type == HtmlItemType::kMarkup) {
        // Measured on a memory context, as it will be drawn off-screen.
        Framework::UniqueMemoryDC memory(CreateCompatibleDC(windowDc.Get()));
        Framework::SelectionScope font(memory.Get(), font_.Get());
        DrawMarkupText(memory.Get(), &area, Common::AsWide(item.text), -1, kMeasureFlags);
    } else {
        Framework::SelectionScope font(windowDc.Get(), font_.Get());
        const UINT flags = item.type == HtmlItemType::kSinglePath ? DT_CALCRECT | DT_SINGLELINE | DT_VCENTER
                                                                  : kMeasureFlags;
        DrawTextW(windowDc.Get(), Common::AsWide(item.text), -1, &area, flags);
    }
    return area.bottom - area.top;
}

void CHTMLListCtrl::SetCheckBoxes() {
    model_.SetCheckBoxes(true);
    model_.Relayout(width_);
    ResetScrollBar(true);
    Invalidate();
}

int CHTMLListCtrl::InsertItem(const std::u16string& text, int type, int height) {
    const int id = model_.Insert(text, type, height, width_);
    ResetScrollBar(false);
    return id;
}

void CHTMLListCtrl::DeleteAllItems() {
    model_.Clear();
    selected_ = -1;
}

void CHTMLListCtrl::SetFontCharSet(BYTE charSet) {
    font_.Reset(CreateListFont(charSet));
    Invalidate();
}

void CHTMLListCtrl::InvalidateItem(int id) {
    if (const HTMLLIST_ITEM* item = model_.Find(id); item && Handle()) {
        const RECT rect = ToRect(item->rect);
        InvalidateRect(Handle(), &rect, FALSE);
    }
}

void CHTMLListCtrl::ResetScrollBar(bool toTop) {
    if (!Handle()) return;
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, 0, model_.TotalHeight(), static_cast<UINT>(height_), 0, 0};
    if (toTop) info.fMask |= SIF_POS;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

int CHTMLListCtrl::ScrollPosition() const { return Handle() ? GetScrollPos(Handle(), SB_VERT) : 0; }

void CHTMLListCtrl::ScrollTo(int position, bool redrawBar) {
    // The system keeps the position within the range and page.
    SetScrollPos(Handle(), SB_VERT, position, redrawBar ? TRUE : FALSE);
}

void CHTMLListCtrl::Notify(UINT code, const HTMLLIST_ITEM* item) {
    HTMLLIST_NOTIFY record;
    record.header = {Handle(), kControlId, code};
    if (item) {
        record.item = item->id;
        record.text = item->text;
        record.userValue = item->userValue;
        record.checked = item->checked ? TRUE : FALSE;
    }
    SendMessageW(GetParent(Handle()), WM_NOTIFY, kControlId, reinterpret_cast<LPARAM>(&record));
}

LRESULT CHTMLListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN: return OnLeftButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_RBUTTONDOWN: Notify(HTMLLIST_RBUTTONDOWN, nullptr); return 0;
        case WM_LBUTTONDBLCLK: Notify(HTMLLIST_LBUTTONDBLCLK, nullptr); return 0;
        case WM_KEYDOWN: return OnKeyDown(wParam);
        case WM_MOUSEWHEEL: return OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        case WM_VSCROLL: return OnVerticalScroll(LOWORD(wParam), HIWORD(wParam));
        case WM_SETFOCUS: return OnFocus(true);
        case WM_KILLFOCUS: return OnFocus(false);
        case WM_SIZE: return OnSize(LOWORD(lParam), HIWORD(lParam));
        case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_ARROW)); return TRUE;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case HTMLLIST_GETCOUNT:
        case HTMLLIST_GETUSERVALUE:
        case HTMLLIST_GETCHECK:
        case HTMLLIST_GETITEMTOP:
        case HTMLLIST_GETITEMHEIGHT: return OnQuestion(message, wParam);
        default: return BufferedPaintWindow::WindowProc(message, wParam, lParam);
    }
}

bool CHTMLListCtrl::DoPaint(HDC dc, const RECT& clip) {
    FillRect(dc, &clip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const RECT client = ClientRect();
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Framework::SelectionScope font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    int top = client.top - ScrollPosition();
    for (HTMLLIST_ITEM& item : model_.Items()) {
        item.rect = {client.left, top, client.right, top + item.height};
        DrawItem(dc, item, item.id == selected_, clip);
        top += item.height;
    }
    return true;
}

void CHTMLListCtrl::DrawItem(HDC dc, HTMLLIST_ITEM& item, bool selected, const RECT& clip) {
    const RECT rect = ToRect(item.rect);
    RECT overlap{};
    if (!IntersectRect(&overlap, &rect, &clip)) return;

    Framework::UniqueBrush fill(CreateSolidBrush(selected ? selectionColour_ : RGB(0, 0, 0)));
    FillRect(dc, &rect, fill.Get());

    if (model_.CheckBoxes()) {
        Framework::UniqueMemoryDC pictures(CreateCompatibleDC(dc));
        Framework::SelectionScope picture(pictures.Get(), item.checked ? checked_.Get() : unchecked_.Get());
        BitBlt(dc, rect.left + 3, Controls::CheckBoxPictureTop(item.rect), kCheckBoxSize, kCheckBoxSize,
               pictures.Get(), 0, 0, SRCCOPY);
    }

    RECT text = rect;
    text.left += (model_.CheckBoxes() ? kCheckBoxSize : 0) + kTextInset;
    if (!item.fixedHeight) text.top += kTextInset;
    const COLORREF previous = SetTextColor(dc, RGB(0, 0, 0));
    DrawItemText(dc, item, text);
    SetTextColor(dc, previous);

    if (hasFocus_ && selected) DrawFocusRect(dc, &rect);
}

void CHTMLListCtrl::DrawItemText(HDC dc, const HTMLLIST_ITEM& item, RECT area) {
    switch (item.type) {
        case HtmlItemType::kMarkup:
            DrawMarkupText(dc, &area, Common::AsWide(item.text), -1, DT_WORDBREAK);
            break;
        case HtmlItemType::kPlainWrapped:
            DrawTextW(dc, Common::AsWide(item.text), -1, &area, DT_WORDBREAK);
            break;
        case HtmlItemType::kSinglePath: {
            wchar_t path[MAX_PATH] = {};
            lstrcpynW(path, Common::AsWide(item.text), MAX_PATH);
            const wchar_t* shown = PathCompactPathW(dc, path, area.right - area.left) ? path
                                                                                       : Common::AsWide(item.text);
            DrawTextW(dc, shown, -1, &area, DT_SINGLELINE | DT_VCENTER);
            break;
        }
        default: break;
    }
}

LRESULT CHTMLListCtrl::OnLeftButtonDown(POINT at) {
    SetFocus(Handle());
    Notify(HTMLLIST_LBUTTONDOWN, nullptr);
    selected_ = -1;
    for (HTMLLIST_ITEM& item : model_.Items()) {
        const RECT rect = ToRect(item.rect);
        if (!PtInRect(&rect, at)) continue;
        if (model_.CheckBoxes()) {
            const RECT box = ToRect(Controls::CheckBoxHitRect(item.rect));
            if (PtInRect(&box, at)) {
                item.checked = !item.checked;
                Notify(HTMLLIST_ITEMCHECKED, &item);
            }
        }
        Notify(HTMLLIST_SELCHANGED, &item);
        selected_ = item.id;
        Invalidate(false);
        return 0;
    }
    Notify(HTMLLIST_SELCHANGED, nullptr);
    return 0;
}

void CHTMLListCtrl::SelectAndShow(int id) {
    const HTMLLIST_ITEM* item = model_.Find(id);
    if (!item) return;
    selected_ = id;
    ScrollTo(Controls::ScrollToShow(model_.TopOf(id), item->height, ScrollPosition(), height_));
    Invalidate(false);
    Notify(HTMLLIST_SELCHANGED, item);
}

LRESULT CHTMLListCtrl::OnKeyDown(WPARAM key) {
    switch (key) {
        case VK_UP: SelectAndShow(Controls::SelectionAfterUp(selected_, model_.Count())); break;
        case VK_DOWN: SelectAndShow(Controls::SelectionAfterDown(selected_, model_.Count())); break;
        case VK_SPACE:
            if (HTMLLIST_ITEM* item = model_.Find(selected_); item && model_.CheckBoxes()) {
                item->checked = !item->checked;
                InvalidateItem(item->id);
                Notify(HTMLLIST_ITEMCHECKED, item);
            }
            break;
        default: break;
    }
    return 0;
}

LRESULT CHTMLListCtrl::OnMouseWheel(short delta) {
    if (delta == 0) return 0;
    ScrollTo(ScrollPosition() + (delta < 0 ? kWheelStep : -kWheelStep));
    Invalidate(false);
    UpdateWindow(Handle());
    return 0;
}

LRESULT CHTMLListCtrl::OnVerticalScroll(WORD request, WORD position) {
    const int current = ScrollPosition();
    switch (request) {
        case SB_LINEUP:
        case SB_PAGEUP: ScrollTo(current - kScrollStep); break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN: ScrollTo(current + kScrollStep); break;
        case SB_THUMBPOSITION: ScrollTo(position); break;
        case SB_THUMBTRACK: ScrollTo(position, false); break;
        default: return 0;
    }
    Invalidate(true);
    UpdateWindow(Handle());
    return 0;
}

LRESULT CHTMLListCtrl::OnFocus(bool gained) {
    hasFocus_ = gained;
    InvalidateItem(selected_);
    return 0;
}

LRESULT CHTMLListCtrl::OnSize(int width, int height) {
    width_ = width;
    height_ = height;
    model_.Relayout(width_);
    ResetScrollBar(true);
    Invalidate();
    return 0;
}

LRESULT CHTMLListCtrl::OnQuestion(UINT message, WPARAM id) const {
    if (message == HTMLLIST_GETCOUNT) return model_.Count();
    const HTMLLIST_ITEM* item = model_.Find(static_cast<int>(id));
    if (!item) return -1;
    switch (message) {
        case HTMLLIST_GETUSERVALUE: return item->userValue;
        case HTMLLIST_GETCHECK: return item->checked ? 1 : 0;
        case HTMLLIST_GETITEMTOP: return item->rect.top;
        default: return item->height;
    }
}
