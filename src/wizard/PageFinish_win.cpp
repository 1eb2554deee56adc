#include "wizard/PageFinish.h"

#include "resource.h"
#include "wizard/ButtonFlags.h"
#include "wizard/WizardIds.h"

PageFinish::PageFinish() : BaseDialog(IDD_PAGE_FINISH) {}

void PageFinish::OnLeaveForward(int) {
    // The chosen shortcuts, association and product start come first with
    // the page's content; then the wizard ends.
    SendMessageW(GetParent(Handle()), WM_WIZARD_CLOSE, 0, 0);
}

void PageFinish::OnEnterPage(int) {
    // Next reads "Finish" from here on.
    using namespace Wizard::ButtonFlag;
    SendMessageW(GetParent(Handle()), WM_WIZARD_BUTTONS, EnableAll | NextReadsFinish | BackReadsBack, 0);
}
