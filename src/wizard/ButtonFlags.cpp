#include "wizard/ButtonFlags.h"

namespace Wizard {

namespace {

constexpr WizardButton kAll[] = {WizardButton::Next, WizardButton::Back, WizardButton::Cancel};

void ShowAll(WizardButtons& buttons, bool show) {
    for (WizardButton button : kAll) buttons.ShowButton(button, show);
}

void EnableAll(WizardButtons& buttons, bool enable) {
    for (WizardButton button : kAll) buttons.EnableButton(button, enable);
}

// The two layouts of the bottom row: Cancel on the left, Next on the right.
void PlaceCancelAndNext(WizardButtons& buttons) {
    buttons.MoveButton(WizardButton::Cancel, 311, 479);
    buttons.MoveButton(WizardButton::Next, 552, 479);
}

struct Rule {
    std::uint32_t flag;
    void (*apply)(WizardButtons&);
};

// In the order the flags take effect within one message.
constexpr Rule kButtonRules[] = {
    {ButtonFlag::HideAll, [](WizardButtons& b) { ShowAll(b, false); }},
    {ButtonFlag::ShowAll, [](WizardButtons& b) { ShowAll(b, true); }},
    {ButtonFlag::EnableAll, [](WizardButtons& b) { EnableAll(b, true); }},
    {ButtonFlag::DisableAll, [](WizardButtons& b) { EnableAll(b, false); }},
    {ButtonFlag::EnableBack, [](WizardButtons& b) { b.EnableButton(WizardButton::Back, true); }},
    {ButtonFlag::DisableBack, [](WizardButtons& b) { b.EnableButton(WizardButton::Back, false); }},
    {ButtonFlag::EnableNext, [](WizardButtons& b) { b.EnableButton(WizardButton::Next, true); }},
    {ButtonFlag::DisableNext, [](WizardButtons& b) { b.EnableButton(WizardButton::Next, false); }},
    {ButtonFlag::EnableCancel, [](WizardButtons& b) { b.EnableButton(WizardButton::Cancel, true); }},
    {ButtonFlag::DisableCancel, [](WizardButtons& b) { b.EnableButton(WizardButton::Cancel, false); }},
    {ButtonFlag::NextReadsFinish, [](WizardButtons& b) { b.SetButtonCaption(WizardButton::Next, ButtonText::Finish); }},
    {ButtonFlag::NextReadsNext, [](WizardButtons& b) { b.SetButtonCaption(WizardButton::Next, ButtonText::Next); }},
    {ButtonFlag::HideNext, [](WizardButtons& b) { b.ShowButton(WizardButton::Next, false); }},
    {ButtonFlag::HideBack, [](WizardButtons& b) { b.ShowButton(WizardButton::Back, false); }},
    {ButtonFlag::HideCancel, [](WizardButtons& b) { b.ShowButton(WizardButton::Cancel, false); }},
    {ButtonFlag::ShowNext, [](WizardButtons& b) { b.ShowButton(WizardButton::Next, true); }},
    {ButtonFlag::ShowBack, [](WizardButtons& b) { b.ShowButton(WizardButton::Back, true); }},
    {ButtonFlag::ShowCancel, [](WizardButtons& b) { b.ShowButton(WizardButton::Cancel, true); }},
    {ButtonFlag::CancelToRight, [](WizardButtons& b) { b.MoveButton(WizardButton::Cancel, 440, 479); }},
    {ButtonFlag::CancelToMiddle, [](WizardButtons& b) { b.MoveButton(WizardButton::Cancel, 330, 479); }},
    {ButtonFlag::CancelReadsSkip, [](WizardButtons& b) { b.SetButtonCaption(WizardButton::Cancel, ButtonText::Skip); }},
    {ButtonFlag::BackReadsSkip, [](WizardButtons& b) { b.SetButtonCaption(WizardButton::Back, ButtonText::Skip); }},
    {ButtonFlag::BackReadsBack, [](WizardButtons& b) { b.SetButtonCaption(WizardButton::Back, ButtonText::Back); }},
    {ButtonFlag::InstalledLayout,
     [](WizardButtons& b) {
         PlaceCancelAndNext(b);
         b.SetButtonCaption(WizardButton::Cancel, ButtonText::Finish);
         b.SetButtonCaption(WizardButton::Next, ButtonText::Reinstall);
         b.ShowButton(WizardButton::Back, false);
     }},
    {ButtonFlag::LicenseLayout,
     [](WizardButtons& b) {
         PlaceCancelAndNext(b);
         b.MoveButton(WizardButton::Back, 441, 479);
     }},
};

}  // namespace

void ApplyButtonFlags(std::uint32_t flags, WizardButtons& buttons) {
    for (const Rule& rule : kButtonRules)
        if (flags & rule.flag) rule.apply(buttons);
}

}  // namespace Wizard
