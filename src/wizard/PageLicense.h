// The licence page (121): the agreement, its acceptance box, the install
// folder with its free space, and the installation type. Leaving it forward
// needs enough free space; Return does nothing while the box is clear.
#pragma once

#include "wizard/BaseDialog.h"

class PageLicense : public BaseDialog {
public:
    PageLicense();

    // Recomputes the free space of the install folder.
    void Refresh(bool redraw) override;
    bool HasEnoughSpace() const override { return enoughSpace_; }
    // The acceptance box is ticked.
    bool IsAccepted() const;

private:
    bool enoughSpace_ = true;
};
