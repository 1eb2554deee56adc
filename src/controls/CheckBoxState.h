// The glyph state of the skinned check box: which of the six glyphs of the
// strip is shown after each press, release, check and enable change.
#pragma once

namespace Controls {

enum CheckGlyph : int {
    kGlyphChecked = 0,
    kGlyphUnchecked = 1,
    kGlyphCheckedPressed = 2,
    kGlyphUncheckedPressed = 3,
    kGlyphCheckedDisabled = 4,
    kGlyphUncheckedDisabled = 5,
};

class CheckBoxState {
public:
    bool Checked() const { return checked_; }
    bool Disabled() const { return disabled_; }
    bool Pressing() const { return pressing_; }
    int Glyph() const { return glyph_; }

    // Left button down on the control.
    void Press();
    // Left button up; `inside` when the pointer is over the control. A release
    // inside toggles; outside nothing changes (the pressed glyph stays).
    void Release(bool inside);
    // The check state set from outside.
    void SetCheck(bool checked);
    void Enable(bool enable);

private:
    bool disabled_ = false;
    bool checked_ = false;
    bool pressing_ = false;
    int glyph_ = kGlyphUnchecked;
};

}  // namespace Controls
