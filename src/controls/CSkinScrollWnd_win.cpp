#include "controls/CSkinScrollWnd.h"

#include <commctrl.h>

#include <utility>

#include "framework/GdiHandles.h"

namespace {

// Our hook on the target's window procedure and on the clipping window.
constexpr UINT_PTR kTargetHookId = 0x536B5362;  // "SkSb"
constexpr UINT_PTR kLimitHookId = 0x536B4C6D;   // "SkLm"

// The frame and the clipping window inside it: black where nothing covers them.
const Framework::WindowClass kFrameClass{CSkinScrollWnd::kClassName, 0,
                                         static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))};

// The clipping window sits between the target and the page: what the target
// tells its parent goes on to the page, as before the wrapping.
LRESULT CALLBACK LimitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (HWND frame = GetParent(window); frame && GetParent(frame))
                return SendMessageW(GetParent(frame), message, wParam, lParam);
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(window, LimitProc, kLimitHookId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

SCROLLINFO ReadScrollInfo(HWND window, int which) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(window, which, &info)) info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    return info;
}

}  // namespace

CSkinScrollWnd* AttachSkinnedScrollBars(HWND target, std::unique_ptr<CSkinScrollWnd> frame, HBITMAP skin) {
    if (!target || !frame || SkinnedScrollFrameOf(target)) return nullptr;
    CSkinScrollWnd* wrapping = frame.get();
    if (!wrapping->Wrap(target, skin)) return nullptr;  // `frame` cleans up what was made
    wrapping->self_ = std::move(frame);
    return wrapping;
}

bool DetachSkinnedScrollBars(HWND target) {
    CSkinScrollWnd* frame = SkinnedScrollFrameOf(target);
    if (!frame) return false;
    frame->Unwrap();
    return true;
}

CSkinScrollWnd* SkinnedScrollFrameOf(HWND target) {
    DWORD_PTR frame = 0;
    if (!target || !GetWindowSubclass(target, CSkinScrollWnd::TargetProc, kTargetHookId, &frame)) return nullptr;
    return reinterpret_cast<CSkinScrollWnd*>(frame);
}

bool CSkinScrollWnd::Wrap(HWND target, HBITMAP skin) {
    HWND parent = GetParent(target);
    skin_ = skin;
    BITMAP picture{};
    if (skin && GetObjectW(skin, sizeof(picture), &picture) && picture.bmWidth >= 9) cell_ = picture.bmWidth / 9;

    RECT rect{};
    GetWindowRect(target, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    const int id = GetDlgCtrlID(target);
    LONG_PTR style = GetWindowLongPtrW(target, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(target, GWL_EXSTYLE);

    // A border or a client edge moves from the target to the frame.
    DWORD frameStyle = WS_CHILD | WS_CLIPCHILDREN | ((style & WS_VISIBLE) ? WS_VISIBLE : 0);
    DWORD frameExStyle = 0;
    int innerWidth = rect.right - rect.left, innerHeight = rect.bottom - rect.top;
    const int edge = GetSystemMetrics(SM_CXEDGE);
    if (style & WS_BORDER) {
        frameStyle |= WS_BORDER;
        style &= ~WS_BORDER;
        innerWidth -= 2 * GetSystemMetrics(SM_CXBORDER);
        innerHeight -= 2 * GetSystemMetrics(SM_CXBORDER);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        frameExStyle |= WS_EX_CLIENTEDGE;
        exStyle &= ~WS_EX_CLIENTEDGE;
        innerWidth -= 2 * edge;
        innerHeight -= 2 * edge;
    } else {
        innerWidth += 4 - 2 * edge;
        innerHeight -= 2 * edge;
    }

    if (!Create(kFrameClass, {parent, rect, frameStyle, frameExStyle, static_cast<UINT_PTR>(id)})) return false;
    HWND frame = Handle();
    // Keeps the target's place in the tab order.
    SetWindowPos(frame, target, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const RECT client = ClientRect();
    // A child of the frame: it goes with the frame.
    limit_ = Framework::CreateWindowOfClass(
                 kFrameClass, {frame, client, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, kLimitId, L"LIMIT"})
                 .Release();
    const RECT barPlace{0, 0, cell_, cell_};
    if (!limit_ || !horizontal_.Create(SBS_HORZ, barPlace, frame, kHorizontalBarId) ||
        !vertical_.Create(SBS_VERT, barPlace, frame, kVerticalBarId))
        return false;
    SetWindowSubclass(limit_, LimitProc, kLimitHookId, 0);
    horizontal_.SetSkin(skin);
    vertical_.SetSkin(skin);

    target_ = target;
    SetWindowLongPtrW(target, GWL_STYLE, style);
    SetWindowLongPtrW(target, GWL_EXSTYLE, exStyle);
    SetParent(target, limit_);
    SetWindowSubclass(target, TargetProc, kTargetHookId, reinterpret_cast<DWORD_PTR>(this));
    SetWindowPos(target, nullptr, 0, 0, innerWidth, innerHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    SetTimer(frame, kFollowTimer, kFollowInterval, nullptr);
    return true;
}

void CSkinScrollWnd::Unwrap() {
    HWND frame = Handle();
    HWND target = target_;
    if (!target) return;
    target_ = nullptr;
    KillTimer(frame, kFollowTimer);
    RemoveWindowSubclass(target, TargetProc, kTargetHookId);

    const RECT rect = RectInParent();
    SetParent(target, GetParent(frame));
    SetWindowPos(target, frame, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The frame object ends with its window (OnFinalMessage): nothing of
    // this object may be touched after this call.
    DestroyWindow(frame);
}

LRESULT CALLBACK CSkinScrollWnd::TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR object) {
    auto* frame = reinterpret_cast<CSkinScrollWnd*>(object);
    if (message == WM_DESTROY) {
        frame->Unwrap();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (frame->updating_) return result;
    switch (message) {
        case WM_NCCALCSIZE:
            if (wParam) frame->AfterTargetCalcSize(*reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
            break;
        case WM_ERASEBKGND: {
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
            if (style & WS_VSCROLL) frame->CopyTargetState(frame->vertical_, SB_VERT, true, true);
            if (style & WS_HSCROLL) frame->CopyTargetState(frame->horizontal_, SB_HORZ, true, true);
            break;
        }
        default: break;
    }
    return result;
}

void CSkinScrollWnd::AfterTargetCalcSize(NCCALCSIZE_PARAMS& sizes) {
    const LONG_PTR style = GetWindowLongPtrW(target_, GWL_STYLE);
    const bool left = (GetWindowLongPtrW(target_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const bool hasVertical = (style & WS_VSCROLL) != 0;
    const bool hasHorizontal = (style & WS_HSCROLL) != 0;

    // Only one cell of each system bar is left, and that cell is clipped away.
    RECT& client = sizes.rgrc[0];
    if (hasVertical) {
        const int widen = GetSystemMetrics(SM_CXVSCROLL) - cell_;
        if (left) client.left -= widen;
        else client.right += widen;
    }
    if (hasHorizontal) client.bottom += GetSystemMetrics(SM_CYHSCROLL) - cell_;

    // `client` is in the clipping window's coordinates; the bars are the frame's.
    POINT offset{0, 0};
    MapWindowPoints(limit_, Handle(), &offset, 1);
    if (hasVertical) {
        const int x = (left ? client.left - cell_ : client.right) + offset.x;
        SetWindowPos(vertical_.Handle(), nullptr, x, client.top + offset.y, cell_, client.bottom - client.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(vertical_.Handle(), SW_HIDE);
    }
    if (hasHorizontal) {
        SetWindowPos(horizontal_.Handle(), nullptr, client.left + offset.x, client.bottom + offset.y,
                     client.right - client.left, cell_, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(horizontal_.Handle(), SW_HIDE);
    }
    corner_ = hasVertical && hasHorizontal ? (left ? 1 : 2) : 0;
    PostMessageW(Handle(), kLayoutMessage, hasVertical ? 1 : 0, left ? 1 : 0);
}

void CSkinScrollWnd::CopyTargetState(CSkinScrollBar& bar, int which, bool onlyWhenDifferent, bool enable) {
    if (!target_ || !bar.Handle()) return;
    SCROLLINFO info = ReadScrollInfo(target_, which);
    const Controls::ScrollState& state = bar.State();
    const bool differs = info.nMin != state.minimum || info.nMax != state.maximum ||
                         static_cast<int>(info.nPage) != state.page || info.nPos != state.position;
    if (onlyWhenDifferent && !differs) return;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    SendMessageW(bar.Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
    if (enable) EnableWindow(bar.Handle(), info.nMax >= static_cast<int>(info.nPage));
}

LRESULT CSkinScrollWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kLayoutMessage: return OnLayout(wParam != 0, lParam != 0);
        case WM_SIZE: return OnSize(LOWORD(lParam), HIWORD(lParam));
        case WM_VSCROLL:
        case WM_HSCROLL: return OnScroll(message, wParam, reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            if (wParam == kFollowTimer) return OnFollowTimer();
            break;
        case WM_PAINT: return OnPaint();
        case WM_DESTROY:
            // The parent is going away with everything in it: the target
            // goes too, so only the hook is taken off.
            if (target_) {
                KillTimer(Handle(), kFollowTimer);
                RemoveWindowSubclass(target_, TargetProc, kTargetHookId);
                target_ = nullptr;
            }
            break;
        default: break;
    }
    return Framework::Window::WindowProc(message, wParam, lParam);
}

void CSkinScrollWnd::OnFinalMessage() {
    // Deletes this object when the wrapping owns it.
    std::unique_ptr<CSkinScrollWnd> owned = std::move(self_);
}

LRESULT CSkinScrollWnd::OnLayout(bool verticalBar, bool leftBar) {
    if (!limit_) return 0;
    updating_ = true;
    const RECT client = ClientRect();
    int x = 0, width = client.right, height = client.bottom;
    if (IsWindowVisible(horizontal_.Handle())) height -= cell_;
    if (verticalBar) {
        width -= cell_;
        if (leftBar) x = cell_;
    }
    SetWindowPos(limit_, nullptr, x, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (verticalBar && leftBar && target_)
        SetWindowPos(target_, nullptr, -cell_, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    updating_ = false;
    // The target has taken its new size by now: the bars start from its state.
    if (verticalBar) CopyTargetState(vertical_, SB_VERT, true, true);
    if (IsWindowVisible(horizontal_.Handle())) CopyTargetState(horizontal_, SB_HORZ, true, true);
    return 0;
}

LRESULT CSkinScrollWnd::OnSize(int width, int height) {
    if (target_ && width > 0 && height > 0)
        SetWindowPos(target_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CSkinScrollWnd::OnScroll(UINT message, WPARAM wParam, HWND bar) {
    const bool vertical = message == WM_VSCROLL;
    CSkinScrollBar& skinBar = vertical ? vertical_ : horizontal_;
    if (!target_ || bar != skinBar.Handle()) return 0;
    updating_ = true;
    SendMessageW(target_, message, wParam, 0);
    updating_ = false;
    if (LOWORD(wParam) != SB_THUMBTRACK) CopyTargetState(skinBar, vertical ? SB_VERT : SB_HORZ, false, false);
    return 0;
}

LRESULT CSkinScrollWnd::OnFollowTimer() {
    if (!target_) return 0;
    for (auto [bar, which] : {std::pair{&vertical_, SB_VERT}, std::pair{&horizontal_, SB_HORZ}})
        if (IsWindowVisible(bar->Handle()) && !bar->IsDragging()) CopyTargetState(*bar, which, true, false);
    return 0;
}

LRESULT CSkinScrollWnd::OnPaint() {
    Framework::PaintDC paint(Handle());
    if (corner_ == 0 || !skin_) return 0;
    const RECT client = ClientRect();
    Framework::UniqueMemoryDC skinDc(CreateCompatibleDC(paint.Get()));
    Framework::SelectionScope picture(skinDc.Get(), skin_);
    const int x = corner_ == 1 ? 0 : client.right - cell_;
    const int row = corner_ == 1 ? 1 : 0;
    BitBlt(paint.Get(), x, client.bottom - cell_, cell_, cell_, skinDc.Get(), 8 * cell_, row * cell_, SRCCOPY);
    return 0;
}
