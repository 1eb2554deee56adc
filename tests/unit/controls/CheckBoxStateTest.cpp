#include "controls/CheckBoxState.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Controls;

// Steps: P press, I release inside, O release outside, C check, U uncheck,
// E enable, D disable.
CheckBoxState Apply(const std::string& steps) {
    CheckBoxState state;
    for (char step : steps) {
        switch (step) {
            case 'P': state.Press(); break;
            case 'I': state.Release(true); break;
            case 'O': state.Release(false); break;
            case 'C': state.SetCheck(true); break;
            case 'U': state.SetCheck(false); break;
            case 'E': state.Enable(true); break;
            case 'D': state.Enable(false); break;
        }
    }
    return state;
}

TEST(CheckBoxState, GlyphFollowsEveryStep) {
    struct Case {
        const char* steps;
        int glyph;
        bool checked;
    } cases[] = {
        {"", kGlyphUnchecked, false},
        {"P", kGlyphUncheckedPressed, false},
        {"PI", kGlyphChecked, true},
        {"PIPI", kGlyphUnchecked, false},  // a double click toggles twice
        {"CP", kGlyphCheckedPressed, true},
        {"PO", kGlyphUncheckedPressed, false},  // released outside: state and glyph stay
        {"CPO", kGlyphCheckedPressed, true},
        {"POC", kGlyphChecked, true},  // the next change ends the pressed look
        {"PC", kGlyphCheckedPressed, true},  // checked from outside during a press
        {"DC", kGlyphCheckedDisabled, true},
        {"DCE", kGlyphChecked, true},
        {"D", kGlyphUncheckedDisabled, false},
        {"DE", kGlyphUnchecked, false},
        {"CDU", kGlyphUncheckedDisabled, false},
        {"CD", kGlyphCheckedDisabled, true},
    };
    for (const Case& c : cases) {
        const CheckBoxState state = Apply(c.steps);
        EXPECT_EQ(state.Glyph(), c.glyph) << c.steps;
        EXPECT_EQ(state.Checked(), c.checked) << c.steps;
    }
}

TEST(CheckBoxState, ReleaseEndsThePressWhereverItHappens) {
    EXPECT_FALSE(Apply("PO").Pressing());
    EXPECT_FALSE(Apply("PI").Pressing());
    EXPECT_TRUE(Apply("P").Pressing());
}

}  // namespace
