// A scroll bar drawn from a skin bitmap of 9 by 3 square cells (arrows,
// thumb, track and corner in the normal, hover and pressed rows). It keeps
// its own scroll state, answers the scroll bar messages for it, and sends
// WM_VSCROLL or WM_HSCROLL to its parent as the system's bar would: once on
// a press, then repeating while an arrow or the track is held, and while the
// thumb is dragged.
#pragma once

#include <windows.h>

#include "controls/ScrollBarGeometry.h"
#include "framework/BufferedPaintWindow.h"

class CSkinScrollBar : public Framework::BufferedPaintWindow {
public:
    static constexpr UINT_PTR kFirstRepeatTimer = 200;  // 500 ms after the press
    static constexpr UINT_PTR kRepeatTimer = 100;       // every 100 ms after that
    static constexpr UINT kFirstRepeatDelay = 500;
    static constexpr UINT kRepeatInterval = 100;

    CSkinScrollBar() = default;

    // A hidden bar child of `parent` (SBS_VERT or SBS_HORZ in `style`).
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    // The skin (not owned): the cell size becomes its width / 9, and the bar
    // one cell thick, keeping its place and length.
    void SetSkin(HBITMAP skin);
    int Cell() const { return cell_; }
    bool IsVertical() const;
    bool IsDragging() const { return dragging_; }
    const Controls::ScrollState& State() const { return state_; }
    int HoveredPart() const { return hovered_; }
    int PressedPart() const { return pressed_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The bar as it is now; nothing before the skin is set.
    bool DoPaint(HDC dc, const RECT& client) override;

private:
    int Along(LPARAM lParam) const;
    int AlongPoint(POINT point) const;
    int Length() const;
    Controls::BarLayout Layout() const;
    RECT PartRect(const Controls::BarSpan& span) const;
    int PartAt(int along) const;
    void Send(int request, int position = 0);
    void RepaintNow();

    LRESULT OnSetScrollInfo(BOOL redraw, const SCROLLINFO* info);
    LRESULT OnGetScrollInfo(SCROLLINFO* info) const;
    LRESULT OnButtonDown(LPARAM lParam);
    LRESULT OnMouseMove(LPARAM lParam);
    LRESULT OnMouseLeave();
    LRESULT OnButtonUp(LPARAM lParam);
    LRESULT OnTimer(UINT_PTR id);
    void StopRepeating();
    int RowOf(int part) const;
    void DrawCell(HDC dc, HDC skin, int column, int row, const RECT& target) const;
    void TileCell(HDC dc, HDC skin, int column, int row, const RECT& target, int from, int to) const;

    HBITMAP skin_ = nullptr;
    int cell_ = 0;
    Controls::ScrollState state_;
    bool dragging_ = false;
    POINT pressPoint_{};
    int dragStartPosition_ = 0;
    int pressed_ = Controls::ScrollPart::kNone;
    bool repeating_ = false;
    int hovered_ = Controls::ScrollPart::kNone;
    bool pointerOutside_ = false;
    bool leaveTracking_ = false;
};
