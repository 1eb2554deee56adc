// The send-by-e-mail page (124): the user's contact details; Back reads
// "Skip" and moves on without them.
#pragma once

#include "wizard/BaseDialog.h"

class PageSendEmail : public BaseDialog {
public:
    PageSendEmail();

    void OnLeaveForward(int skip) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
