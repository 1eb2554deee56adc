// Puts skinned scroll bars on an existing child window (the licence text,
// the component list). A frame window takes the target's place; the target
// moves into a clipping window inside it, sized so that the target's own
// scroll bars fall outside what is visible, and two CSkinScrollBar controls
// lie over the strips where those bars would be. The skinned bars drive the
// target through its ordinary scroll messages and follow its scroll state
// through a hook on its window procedure and a check every 500 ms.
//
// The wrapping lives as long as the target: destroying the target (or
// DetachSkinnedScrollBars) gives it back to the frame's parent at the
// frame's place and removes the frame.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/CSkinScrollBar.h"
#include "framework/Window.h"

class CSkinScrollWnd : public Framework::Window {
public:
    static constexpr UINT kHorizontalBarId = 100;
    static constexpr UINT kVerticalBarId = 101;
    static constexpr UINT kLimitId = 200;
    static constexpr UINT_PTR kFollowTimer = 100;
    static constexpr UINT kFollowInterval = 500;
    // Posted to the frame after the target's client area was recomputed.
    static constexpr UINT kLayoutMessage = WM_USER + 100;
    static constexpr wchar_t kClassName[] = L"SkinScrollBarFrame";

    CSkinScrollWnd() = default;

    HWND Target() const { return target_; }
    HWND Limit() const { return limit_; }
    CSkinScrollBar& VerticalBar() { return vertical_; }
    CSkinScrollBar& HorizontalBar() { return horizontal_; }
    // 0 none, 1 bottom left, 2 bottom right.
    int Corner() const { return corner_; }

private:
    friend CSkinScrollWnd* AttachSkinnedScrollBars(HWND, std::unique_ptr<CSkinScrollWnd>, HBITMAP);
    friend bool DetachSkinnedScrollBars(HWND);
    friend CSkinScrollWnd* SkinnedScrollFrameOf(HWND);

    bool Wrap(HWND target, HBITMAP skin);
    void Unwrap();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;
    LRESULT OnLayout(bool verticalBar, bool leftBar);
    LRESULT OnSize(int width, int height);
    LRESULT OnScroll(UINT message, WPARAM wParam, HWND bar);
    LRESULT OnFollowTimer();
    LRESULT OnPaint();

    static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR frame);
    void AfterTargetCalcSize(NCCALCSIZE_PARAMS& sizes);
    void CopyTargetState(CSkinScrollBar& bar, int which, bool onlyWhenDifferent, bool enable);

    HWND target_ = nullptr;
    HWND limit_ = nullptr;
    CSkinScrollBar horizontal_;
    CSkinScrollBar vertical_;
    HBITMAP skin_ = nullptr;
    int cell_ = 16;
    int corner_ = 0;
    bool updating_ = false;
    std::unique_ptr<CSkinScrollWnd> self_;  // the wrapping owns the frame object
};

// Wraps `target` in `frame` with the skin (not owned). Returns the frame, or
// null (and `target` unchanged) when the frame could not be made.
CSkinScrollWnd* AttachSkinnedScrollBars(HWND target, std::unique_ptr<CSkinScrollWnd> frame, HBITMAP skin);
// Undoes the wrapping of `target`; false when it is not wrapped.
bool DetachSkinnedScrollBars(HWND target);
// The frame wrapping `target`, or null.
CSkinScrollWnd* SkinnedScrollFrameOf(HWND target);
