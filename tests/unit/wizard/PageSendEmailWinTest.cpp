// The contact page on its template: what leaving it forward makes of the
// address typed, with Next and with Skip.
#include <windows.h>

#include <gtest/gtest.h>

#include "WizardLayout.h"
#include "TestSession.h"
#include "configuration/InstallerConfig.h"
#include "resource.h"
#include "wizard/PageSendEmail.h"
#include "wizard/WizardIds.h"

namespace {

// The page registers with the language manager, so it lives as long as the
// test program, on a host window standing in for the main dialog.
PageSendEmail& Page() {
    static HWND host = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 800, 547, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    static auto* page = [] {
        auto* created = new PageSendEmail(TestSession());
        EXPECT_TRUE(created->CreatePage(host, nullptr));
        return created;
    }();
    return *page;
}

TEST(PageSendEmail, OnlyAValidAddressCountsAsContactDetails) {
    PageSendEmail& page = Page();
    ASSERT_TRUE(page.IsBound());
    const struct {
        const wchar_t* address;
        int skip;
        bool given;
    } cases[] = {
        {L"jo@example.org", Wizard::kForward, true},
        {L" jo . smith @ mail . example . org ", Wizard::kForward, true},
        {L"jo@example.org", Wizard::kSkip, true},
        {L"jo@example.c", Wizard::kForward, false},
        {L"", Wizard::kForward, false},
        {L"jo", Wizard::kSkip, false},
    };
    SetDlgItemTextW(page.Handle(), IDC_EMAIL_FIRST_NAME, L"Jo");
    SetDlgItemTextW(page.Handle(), IDC_EMAIL_LAST_NAME, L"Smith");
    for (const auto& c : cases) {
        TestSession().config.SetUserDetailsGiven(!c.given);
        SetDlgItemTextW(page.Handle(), IDC_EMAIL_ADDRESS, c.address);
        page.OnLeaveForward(c.skip);
        EXPECT_EQ(TestSession().config.UserDetailsGiven(), c.given) << c.address << " skip " << c.skip;
    }
}

TEST(PageSendEmail, ControlsStandAtTheirPlaces) {
    PageSendEmail& page = Page();
    // Places from the layout table the template is written with: the page
    // puts them at their pixels whatever the system's dialog units.
    const struct {
        int id;
        LONG x, y, width, height;
    } places[] = {
        {IDC_EMAIL_TITLE, IDC_EMAIL_TITLE_PLACE},
        {IDC_EMAIL_HEADING, IDC_EMAIL_HEADING_PLACE},
        {IDC_EMAIL_INVITATION, IDC_EMAIL_INVITATION_PLACE},
        {IDC_EMAIL_FIRST_NAME_LABEL, IDC_EMAIL_FIRST_NAME_LABEL_PLACE},
        {IDC_EMAIL_FIRST_NAME, IDC_EMAIL_FIRST_NAME_PLACE},
        {IDC_EMAIL_LAST_NAME_LABEL, IDC_EMAIL_LAST_NAME_LABEL_PLACE},
        {IDC_EMAIL_LAST_NAME, IDC_EMAIL_LAST_NAME_PLACE},
        {IDC_EMAIL_ADDRESS_LABEL, IDC_EMAIL_ADDRESS_LABEL_PLACE},
        {IDC_EMAIL_ADDRESS, IDC_EMAIL_ADDRESS_PLACE},
        {IDC_EMAIL_PRIVACY_NOTE, IDC_EMAIL_PRIVACY_NOTE_PLACE},
    };
    SetWindowPos(page.Handle(), nullptr, 0, 30, 800, 427, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& place : places) {
        RECT rect{};
        GetWindowRect(GetDlgItem(page.Handle(), place.id), &rect);
        MapWindowPoints(HWND_DESKTOP, page.Handle(), reinterpret_cast<POINT*>(&rect), 1);
        EXPECT_EQ(std::make_pair(rect.left, rect.top), std::make_pair(place.x, place.y)) << place.id;
    }
}

}  // namespace
