// Keeps the wizard's pages by id and moves between them: the forward and
// backward moves with the hooks of the pages they leave and enter, and the
// wizard messages that tell the main dialog which page it shows. Does not own
// the pages; they live as long as the main dialog.
#pragma once

#include <unordered_map>

#include "wizard/WizardPage.h"

namespace Wizard {

class PageNavigator {
public:
    explicit PageNavigator(WizardHost& owner);

    void Add(unsigned id, WizardPage& page);
    // The page with that id, or null.
    WizardPage* Find(unsigned id) const;
    // The id of the page shown, 0 before the first one.
    unsigned Current() const { return current_; }

    // Shows page `id` and hides the current one. Returns the previous id, or
    // 0 (changing nothing) when there is no page with that id.
    unsigned ShowPage(unsigned id);
    // The forward move; returns the current id afterwards (unchanged when
    // the move stays, for example on the last page).
    unsigned Next(int skip);
    // The backward move; returns the new current id, or 0 when there is no
    // previous page.
    unsigned Back();

private:
    void Send(unsigned message, std::uintptr_t wParam) { owner_.SendWizardMessage(message, wParam); }

    std::unordered_map<unsigned, WizardPage*> pages_;
    unsigned current_ = 0;
    WizardHost& owner_;
};

}  // namespace Wizard
