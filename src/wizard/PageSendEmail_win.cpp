#include "wizard/PageSendEmail.h"

#include "resource.h"
#include "wizard/ButtonFlags.h"
#include "wizard/WizardIds.h"

PageSendEmail::PageSendEmail() : BaseDialog(IDD_PAGE_SEND_EMAIL) {}

void PageSendEmail::OnLeaveForward(int) {
    // The contact details are taken here with the page's content.
}

LRESULT PageSendEmail::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && wParam) {
        // Whichever way the page was reached, Next reads "Next" and Back "Skip".
        using namespace Wizard::ButtonFlag;
        SendMessageW(GetParent(Handle()), WM_WIZARD_BUTTONS, NextReadsNext | BackReadsSkip, 0);
    }
    return BaseDialog::WindowProc(message, wParam, lParam);
}
