// What the navigator needs of a page and of the main dialog. The pages are
// BaseDialog windows and the host is the main dialog; keeping the navigator
// on these two small interfaces keeps its rules free of window code.
#pragma once

#include <cstdint>

namespace Wizard {

class WizardPage {
public:
    virtual void ShowPage(bool visible) = 0;
    // The user moves forward from this page (skip flag: 0 Next, 1 Skip).
    virtual void OnLeaveForward(int /*skip*/) {}
    // This page has just been shown, by a forward (0) or backward (1) move.
    virtual void OnEnterPage(int /*direction*/) {}
    // Recomputes the page's state (the licence page: the free space).
    virtual void Refresh(bool /*redraw*/) {}
    // The licence page's verdict on the free space of the install folder.
    virtual bool HasEnoughSpace() const { return true; }

protected:
    ~WizardPage() = default;
};

class WizardHost {
public:
    // Sends one of the wizard messages to the main dialog and waits for it.
    virtual void SendWizardMessage(unsigned message, std::uintptr_t wParam) = 0;
    // Tells the user that the install folder's disk has too little space.
    virtual void ShowLowSpaceWarning() = 0;

protected:
    ~WizardHost() = default;
};

}  // namespace Wizard
