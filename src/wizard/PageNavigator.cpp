#include "wizard/PageNavigator.h"

#include "wizard/ButtonFlags.h"
#include "wizard/WizardIds.h"

namespace Wizard {

namespace {

bool IsOneOf(unsigned id, std::initializer_list<unsigned> ids) {
    for (unsigned candidate : ids)
        if (candidate == id) return true;
    return false;
}

}  // namespace

PageNavigator::PageNavigator(WizardHost& owner) : pages_(17), owner_(owner) {}

void PageNavigator::Add(unsigned id, WizardPage& page) { pages_[id] = &page; }

WizardPage* PageNavigator::Find(unsigned id) const {
    const auto found = pages_.find(id);
    return found == pages_.end() ? nullptr : found->second;
}

unsigned PageNavigator::ShowPage(unsigned id) {
    WizardPage* page = Find(id);
    if (!page) return 0;
    page->ShowPage(true);
    // Showing the page that is already shown must not hide it.
    if (WizardPage* shown = Find(current_); shown && current_ != id) shown->ShowPage(false);
    const unsigned previous = current_;
    current_ = id;
    Send(WM_WIZARD_PAGE_SHOWN, id);
    return previous;
}

unsigned PageNavigator::Next(int skip) {
    if (current_ == kPageLicense) {
        WizardPage* license = Find(kPageLicense);
        license->Refresh(false);
        if (!license->HasEnoughSpace()) {
            owner_.ShowLowSpaceWarning();
            return current_;
        }
    }
    if (IsOneOf(current_, {kPageSelectComponents, kPageSendEmail, kPageFinish})) Find(current_)->OnLeaveForward(skip);

    WizardPage* next = Find(current_ + 1);
    if (!next) return current_;
    if (WizardPage* shown = Find(current_)) shown->ShowPage(false);
    current_ += 1;
    next->ShowPage(true);

    // Entering may move on at once (the component page with a typical
    // installation); what follows uses the page current after that.
    if (IsOneOf(current_, {kPageSelectComponents, kPageDownloadInstall, kPageFinish})) next->OnEnterPage(kEnteredForward);
    if (current_ == kPageDownloadInstall) Send(WM_WIZARD_BUTTONS, ButtonFlag::HideAll);  // it has its own Cancel
    if (current_ == kPageSendEmail) Send(WM_WIZARD_BUTTONS, ButtonFlag::ShowNext | ButtonFlag::ShowBack | ButtonFlag::BackReadsSkip);
    Send(WM_WIZARD_PAGE_SHOWN, current_);
    return current_;
}

unsigned PageNavigator::Back() {
    WizardPage* previous = Find(current_ - 1);
    if (!previous) return 0;
    const unsigned left = current_;
    previous->ShowPage(true);
    if (WizardPage* shown = Find(left)) shown->ShowPage(false);
    current_ = left - 1;
    if (left == kPageDownloadInstall)
        if (WizardPage* components = Find(kPageSelectComponents)) components->OnEnterPage(kEnteredBackward);
    Send(WM_WIZARD_PAGE_SHOWN, current_);
    return current_;
}

}  // namespace Wizard
