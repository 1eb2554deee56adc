// The wizard's page ids and private messages. Pages are ordered by id: Next
// goes to id + 1, Back to id - 1; each id is also the page's dialog template.
#pragma once

#include <cstdint>

namespace Wizard {

constexpr unsigned kPageInstalled = 119;
constexpr unsigned kPageWelcome = 120;
constexpr unsigned kPageLicense = 121;
constexpr unsigned kPageSelectComponents = 122;
constexpr unsigned kPageDownloadInstall = 123;
constexpr unsigned kPageSendEmail = 124;
constexpr unsigned kPageFinish = 125;

// The first private window message number of the platform.
constexpr unsigned kUserMessageBase = 0x0400;

// The skip flag of a forward move.
constexpr int kForward = 0;
constexpr int kSkip = 1;
// The direction a page was entered from.
constexpr int kEnteredForward = 0;
constexpr int kEnteredBackward = 1;

}  // namespace Wizard

// Sent to the main dialog; wParam carries the argument, lParam is 0.
constexpr unsigned WM_WIZARD_SHOW_PAGE = Wizard::kUserMessageBase + 1;   // show page wParam
constexpr unsigned WM_WIZARD_BUTTONS = Wizard::kUserMessageBase + 2;     // apply button flags wParam
constexpr unsigned WM_WIZARD_PAGE_SHOWN = Wizard::kUserMessageBase + 3;  // page wParam is shown: adapt the skin
constexpr unsigned WM_WIZARD_NEXT = Wizard::kUserMessageBase + 4;        // move forward, wParam the skip flag
constexpr unsigned WM_WIZARD_CLOSE = Wizard::kUserMessageBase + 5;       // end the wizard with result 0
constexpr unsigned WM_WIZARD_BACK = Wizard::kUserMessageBase + 6;        // move back
constexpr unsigned WM_WIZARD_VERSION_KNOWN = Wizard::kUserMessageBase + 7;  // the first page can be chosen
constexpr unsigned WM_WIZARD_MAKE_PAGES = Wizard::kUserMessageBase + 8;     // make the pages after the first
