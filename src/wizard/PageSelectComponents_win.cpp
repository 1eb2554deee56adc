#include "wizard/PageSelectComponents.h"

#include "app/InstallerConfig.h"
#include "resource.h"
#include "wizard/WizardIds.h"

PageSelectComponents::PageSelectComponents() : BaseDialog(IDD_PAGE_SELECT_COMPONENTS) {}

void PageSelectComponents::OnLeaveForward(int) {
    // The feature string is rebuilt from the chosen features with the page's content.
}

void PageSelectComponents::OnEnterPage(int direction) {
    if (TheInstallerConfig().CustomInstall()) return;
    // A typical installation has nothing to choose here.
    SendMessageW(GetParent(Handle()), direction == Wizard::kEnteredForward ? WM_WIZARD_NEXT : WM_WIZARD_BACK,
                 Wizard::kForward, 0);
}
