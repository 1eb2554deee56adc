// The flags of WM_WIZARD_BUTTONS: what a page asks of the main dialog's Next,
// Back and Cancel buttons. One message may carry several; they apply in the
// fixed order of kButtonRules.
#pragma once

#include <cstdint>

namespace Wizard {

enum class WizardButton { Next, Back, Cancel };

namespace ButtonFlag {
constexpr std::uint32_t EnableAll = 0x1;
constexpr std::uint32_t DisableAll = 0x2;
constexpr std::uint32_t EnableBack = 0x4;
constexpr std::uint32_t DisableBack = 0x8;
constexpr std::uint32_t EnableNext = 0x10;
constexpr std::uint32_t DisableNext = 0x20;
constexpr std::uint32_t EnableCancel = 0x40;
constexpr std::uint32_t DisableCancel = 0x80;
constexpr std::uint32_t NextReadsFinish = 0x100;
constexpr std::uint32_t HideNext = 0x200;
constexpr std::uint32_t HideBack = 0x400;
constexpr std::uint32_t HideCancel = 0x800;
constexpr std::uint32_t ShowNext = 0x1000;
constexpr std::uint32_t ShowBack = 0x2000;
constexpr std::uint32_t ShowCancel = 0x4000;
constexpr std::uint32_t HideAll = 0x8000;
constexpr std::uint32_t ShowAll = 0x10000;
constexpr std::uint32_t CancelToRight = 0x20000;
constexpr std::uint32_t CancelToMiddle = 0x40000;
constexpr std::uint32_t CancelReadsSkip = 0x80000;
constexpr std::uint32_t NextReadsNext = 0x100000;
constexpr std::uint32_t BackReadsSkip = 0x200000;
constexpr std::uint32_t InstalledLayout = 0x1000000;
constexpr std::uint32_t LicenseLayout = 0x2000000;
constexpr std::uint32_t BackReadsBack = 0x4000000;
}  // namespace ButtonFlag

// Text ids of the captions the flags give.
namespace ButtonText {
constexpr int Finish = 49;
constexpr int Skip = 50;
constexpr int Reinstall = 51;
constexpr int Next = 1000;
constexpr int Back = 1001;
}  // namespace ButtonText

// What the flags do to the three buttons.
class WizardButtons {
public:
    virtual void ShowButton(WizardButton button, bool show) = 0;
    virtual void EnableButton(WizardButton button, bool enable) = 0;
    virtual void SetButtonCaption(WizardButton button, int textId) = 0;
    // Moves the button's top-left corner, keeping its size.
    virtual void MoveButton(WizardButton button, int x, int y) = 0;

protected:
    ~WizardButtons() = default;
};

// Applies every flag set in `flags`, in the fixed order; unknown bits are ignored.
void ApplyButtonFlags(std::uint32_t flags, WizardButtons& buttons);

}  // namespace Wizard
