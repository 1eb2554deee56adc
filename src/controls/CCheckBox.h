// The owner-drawn check box of the licence and finish pages: a 13 by 13 glyph
// from a strip of six (checked, unchecked, both pressed, both disabled) on a
// magenta background that shows as transparent. It draws only its glyph; the
// pages place the words beside it. The standard check messages read and set
// its state, and clicks reach the parent as the standard notification.
#pragma once

#include <windows.h>

#include <array>

#include "SkinImageIds.h"
#include "controls/CheckBoxState.h"
#include "framework/GdiHandles.h"
#include "framework/Window.h"

class CCheckBox : public Framework::Window {
public:
    static constexpr int kGlyphSize = 13;
    static constexpr int kStripResource = IDB_CHECKBOX_STRIP;

    // Loads the glyph strip of `module` (null: this program).
    explicit CCheckBox(HMODULE module = nullptr);

    bool IsChecked() const { return state_.Checked(); }
    // The glyph shown, 0 to 5.
    int Glyph() const { return state_.Glyph(); }

    // Copies the glyph of the current state onto `dc`.
    void Paint(HDC dc);

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    // Every state change shows at once, on a window device context.
    void RepaintNow();
    void BuildStateImages(HDC reference);

    Controls::CheckBoxState state_;
    Framework::UniqueBitmap strip_;
    std::array<Framework::UniqueBitmap, 6> stateImages_;
    COLORREF faceColor_ = CLR_INVALID;
    bool rebuild_ = true;
};
