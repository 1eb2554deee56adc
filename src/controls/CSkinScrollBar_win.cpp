#include "controls/CSkinScrollBar.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/GdiHandles.h"

namespace {

using namespace Controls;

constexpr Framework::WindowClass kBarClass{L"SkinScrollBar", CS_DBLCLKS};

}  // namespace

bool CSkinScrollBar::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
    return Window::Create(kBarClass, {parent, rect, WS_CHILD | (style & ~WS_VISIBLE), 0, id});
}

bool CSkinScrollBar::IsVertical() const {
    return Handle() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & SBS_VERT) != 0;
}

void CSkinScrollBar::SetSkin(HBITMAP skin) {
    skin_ = skin;
    BITMAP picture{};
    cell_ = skin && GetObjectW(skin, sizeof(picture), &picture) ? picture.bmWidth / SkinCell::kColumns : 0;
    if (!Handle() || cell_ <= 0) return;
    const RECT rect = RectInParent();
    const int width = IsVertical() ? cell_ : rect.right - rect.left;
    const int height = IsVertical() ? rect.bottom - rect.top : cell_;
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CSkinScrollBar::Length() const {
    const RECT client = ClientRect();
    return IsVertical() ? client.bottom : client.right;
}

BarLayout CSkinScrollBar::Layout() const { return LayOutBar(Length(), cell_, state_); }

int CSkinScrollBar::AlongPoint(POINT point) const { return IsVertical() ? point.y : point.x; }

int CSkinScrollBar::Along(LPARAM lParam) const { return AlongPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); }

int CSkinScrollBar::PartAt(int along) const { return HitTestBar(Length(), cell_, state_, along); }

RECT CSkinScrollBar::PartRect(const BarSpan& span) const {
    return IsVertical() ? RECT{0, span.start, cell_, span.end} : RECT{span.start, 0, span.end, cell_};
}

void CSkinScrollBar::Send(int request, int position) {
    const UINT message = IsVertical() ? WM_VSCROLL : WM_HSCROLL;
    SendMessageW(GetParent(Handle()), message, MAKEWPARAM(request, position), reinterpret_cast<LPARAM>(Handle()));
}

void CSkinScrollBar::RepaintNow() {
    if (!Handle()) return;
    Framework::WindowDC dc(Handle());
    PaintTo(dc.Get());
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SBM_SETSCROLLINFO: return OnSetScrollInfo(static_cast<BOOL>(wParam), reinterpret_cast<SCROLLINFO*>(lParam));
        case SBM_GETSCROLLINFO: return OnGetScrollInfo(reinterpret_cast<SCROLLINFO*>(lParam));
        case WM_LBUTTONDOWN: return OnButtonDown(lParam);
        case WM_LBUTTONDBLCLK: return 0;
        case WM_MOUSEMOVE: return OnMouseMove(lParam);
        case WM_MOUSELEAVE: return OnMouseLeave();
        case WM_LBUTTONUP: return OnButtonUp(lParam);
        case WM_TIMER:
            if (wParam == kRepeatTimer || wParam == kFirstRepeatTimer) return OnTimer(wParam);
            break;
        case WM_ENABLE: Invalidate(false); return 0;
        default: break;
    }
    return BufferedPaintWindow::WindowProc(message, wParam, lParam);
}

LRESULT CSkinScrollBar::OnSetScrollInfo(BOOL redraw, const SCROLLINFO* info) {
    if (!info) return state_.position;
    if (info->fMask & SIF_RANGE) {
        state_.minimum = info->nMin;
        state_.maximum = info->nMax;
    }
    if (info->fMask & SIF_PAGE) state_.page = static_cast<int>(info->nPage);
    if (info->fMask & SIF_POS) state_.position = info->nPos;
    if (redraw) RepaintNow();
    return state_.position;
}

LRESULT CSkinScrollBar::OnGetScrollInfo(SCROLLINFO* info) const {
    if (!info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = state_.minimum;
        info->nMax = state_.maximum;
    }
    if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(state_.page);
    if (info->fMask & SIF_POS) info->nPos = state_.position;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = state_.trackPosition;
    return TRUE;
}

LRESULT CSkinScrollBar::OnButtonDown(LPARAM lParam) {
    SetCapture(Handle());
    const int part = PartAt(Along(lParam));
    if (part == ScrollPart::kThumb) {
        dragging_ = true;
        pressPoint_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        dragStartPosition_ = state_.position;
        state_.trackPosition = state_.position;
        RepaintNow();
        return 0;
    }
    if (part == ScrollPart::kNone) return 0;
    pressed_ = part;
    pointerOutside_ = false;
    Send(part);
    SetTimer(Handle(), kFirstRepeatTimer, kFirstRepeatDelay, nullptr);
    RepaintNow();
    return 0;
}

LRESULT CSkinScrollBar::OnMouseMove(LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (dragging_) {
        const int delta = AlongPoint(point) - AlongPoint(pressPoint_);
        const int position = DraggedPosition(Length(), cell_, state_, dragStartPosition_, delta);
        if (position != state_.trackPosition) {
            state_.trackPosition = position;
            RepaintNow();
            Send(SB_THUMBTRACK, position);
        }
        return 0;
    }
    if (pressed_ != ScrollPart::kNone) {
        const RECT rect = PartRect(Layout().SpanOf(pressed_));
        const bool outside = !PtInRect(&rect, point);
        if (outside != pointerOutside_) {
            pointerOutside_ = outside;
            RepaintNow();
        }
        return 0;
    }
    if (!leaveTracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        leaveTracking_ = TrackMouseEvent(&track) != FALSE;
    }
    const int part = PartAt(AlongPoint(point));
    if (part != hovered_) {
        hovered_ = part;
        RepaintNow();
    }
    return 0;
}

LRESULT CSkinScrollBar::OnMouseLeave() {
    leaveTracking_ = false;
    if (hovered_ != ScrollPart::kNone && !dragging_ && pressed_ == ScrollPart::kNone) {
        hovered_ = ScrollPart::kNone;
        RepaintNow();
    }
    return 0;
}

LRESULT CSkinScrollBar::OnButtonUp(LPARAM lParam) {
    if (GetCapture() == Handle()) ReleaseCapture();
    if (dragging_) {
        dragging_ = false;
        const int released = state_.trackPosition;
        Send(SB_THUMBPOSITION, released);
        state_.trackPosition = -1;
        hovered_ = PartAt(Along(lParam));
        RepaintNow();
        return 0;
    }
    StopRepeating();
    pressed_ = ScrollPart::kNone;
    RepaintNow();
    return 0;
}

void CSkinScrollBar::StopRepeating() {
    KillTimer(Handle(), repeating_ ? kRepeatTimer : kFirstRepeatTimer);
    repeating_ = false;
}

LRESULT CSkinScrollBar::OnTimer(UINT_PTR id) {
    if (pressed_ == ScrollPart::kNone) {
        KillTimer(Handle(), id);
        return 0;
    }
    if (id == kFirstRepeatTimer) {
        KillTimer(Handle(), kFirstRepeatTimer);
        repeating_ = true;
        SetTimer(Handle(), kRepeatTimer, kRepeatInterval, nullptr);
    }
    if (pointerOutside_) return 0;
    switch (pressed_) {
        case ScrollPart::kLineUp:
            if (state_.position == state_.minimum) KillTimer(Handle(), kRepeatTimer);
            else Send(SB_LINEUP);
            break;
        case ScrollPart::kLineDown:
            // The end is the highest position the page allows (the maximum
            // itself is never reached when the page is larger than one).
            if (state_.position >= std::min(state_.maximum, ScrollLimit(state_))) KillTimer(Handle(), kRepeatTimer);
            else Send(SB_LINEDOWN);
            break;
        default: {
            // Paging stops once the thumb has reached the pointer.
            POINT pointer{};
            GetCursorPos(&pointer);
            ScreenToClient(Handle(), &pointer);
            if (Layout().thumb.Contains(AlongPoint(pointer)) || PartAt(AlongPoint(pointer)) != pressed_)
                KillTimer(Handle(), kRepeatTimer);
            else
                Send(pressed_);
            break;
        }
    }
    return 0;
}

int CSkinScrollBar::RowOf(int part) const {
    if (part == ScrollPart::kThumb && dragging_) return SkinCell::kPressedRow;
    if (part == pressed_ && !pointerOutside_) return SkinCell::kPressedRow;
    if (part == hovered_ && pressed_ == ScrollPart::kNone) return SkinCell::kHoverRow;
    return SkinCell::kNormalRow;
}

void CSkinScrollBar::DrawCell(HDC dc, HDC skin, int column, int row, const RECT& target) const {
    const int width = target.right - target.left, height = target.bottom - target.top;
    if (width <= 0 || height <= 0) return;
    if (width == cell_ && height == cell_)
        BitBlt(dc, target.left, target.top, cell_, cell_, skin, column * cell_, row * cell_, SRCCOPY);
    else
        StretchBlt(dc, target.left, target.top, width, height, skin, column * cell_, row * cell_, cell_, cell_,
                   SRCCOPY);
}

// Repeats the part [from, to) of a cell along the bar over the target.
void CSkinScrollBar::TileCell(HDC dc, HDC skin, int column, int row, const RECT& target, int from, int to) const {
    const int piece = to - from;
    if (piece <= 0) return;
    const bool vertical = IsVertical();
    const int start = vertical ? target.top : target.left;
    const int end = vertical ? target.bottom : target.right;
    for (int at = start; at < end; at += piece) {
        const int length = std::min(piece, end - at);
        if (vertical)
            BitBlt(dc, target.left, at, cell_, length, skin, column * cell_, row * cell_ + from, SRCCOPY);
        else
            BitBlt(dc, at, target.top, length, cell_, skin, column * cell_ + from, row * cell_, SRCCOPY);
    }
}

bool CSkinScrollBar::DoPaint(HDC dc, const RECT& client) {
    if (!skin_ || cell_ <= 0) return false;
    Framework::UniqueMemoryDC skinDc(CreateCompatibleDC(dc));
    Framework::SelectionScope picture(skinDc.Get(), skin_);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    const bool vertical = IsVertical();
    const BarLayout layout = Layout();
    for (int part : {ScrollPart::kLineUp, ScrollPart::kLineDown})
        DrawCell(dc, skinDc.Get(), SkinCell::ColumnOf(part, vertical), RowOf(part), PartRect(layout.SpanOf(part)));
    for (int part : {ScrollPart::kPageUp, ScrollPart::kPageDown})
        TileCell(dc, skinDc.Get(), SkinCell::ColumnOf(part, vertical), SkinCell::kNormalRow,
                 PartRect(layout.SpanOf(part)), 0, cell_);

    if (layout.thumbLength > 0) {
        // End caps of 3 pixels, the middle of the cell repeated between them.
        const int column = SkinCell::ColumnOf(ScrollPart::kThumb, vertical);
        const int row = RowOf(ScrollPart::kThumb);
        const BarSpan thumb = layout.thumb;
        const int cap = std::min(kThumbCap, thumb.Length() / 2);
        TileCell(dc, skinDc.Get(), column, row, PartRect({thumb.start, thumb.start + cap}), 0, cap);
        TileCell(dc, skinDc.Get(), column, row, PartRect({thumb.start + cap, thumb.end - cap}), kThumbCap,
                 cell_ - kThumbCap);
        TileCell(dc, skinDc.Get(), column, row, PartRect({thumb.end - cap, thumb.end}), cell_ - cap, cell_);
    }
    return true;
}
