// The finish page (125): shortcuts, default application and the start of the
// product; "Finish" does the chosen work and ends the wizard.
#pragma once

#include "wizard/BaseDialog.h"

class PageFinish : public BaseDialog {
public:
    PageFinish();

    void OnLeaveForward(int skip) override;
    void OnEnterPage(int direction) override;
};
