// The component page (122): the integration features of a custom
// installation. With a typical installation it is passed at once, in the
// direction the user was going.
#pragma once

#include "wizard/BaseDialog.h"

class PageSelectComponents : public BaseDialog {
public:
    PageSelectComponents();

    void OnLeaveForward(int skip) override;
    void OnEnterPage(int direction) override;
};
