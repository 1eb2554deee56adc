#include "controls/CheckBoxState.h"

namespace Controls {

void CheckBoxState::Press() {
    pressing_ = true;
    glyph_ = checked_ ? kGlyphCheckedPressed : kGlyphUncheckedPressed;
}

void CheckBoxState::Release(bool inside) {
    pressing_ = false;
    if (!inside) return;
    checked_ = !checked_;
    glyph_ = checked_ ? kGlyphChecked : kGlyphUnchecked;
}

void CheckBoxState::SetCheck(bool checked) {
    checked_ = checked;
    if (disabled_)
        glyph_ = checked ? kGlyphCheckedDisabled : kGlyphUncheckedDisabled;
    else if (pressing_)
        glyph_ = checked ? kGlyphCheckedPressed : kGlyphUncheckedPressed;
    else
        glyph_ = checked ? kGlyphChecked : kGlyphUnchecked;
}

void CheckBoxState::Enable(bool enable) {
    disabled_ = !enable;
    if (disabled_)
        glyph_ = checked_ ? kGlyphCheckedDisabled : kGlyphUncheckedDisabled;
    else
        glyph_ = checked_ ? kGlyphChecked : kGlyphUnchecked;
}

}  // namespace Controls
