// The navigator's moves over pages and a host that record what happens; the
// host answers the wizard messages the way the main dialog does.
#include "wizard/PageNavigator.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "wizard/WizardIds.h"

namespace {

using namespace Wizard;
using Log = std::vector<std::string>;

class FakeHost;

class FakePage : public WizardPage {
public:
    FakePage(unsigned id, Log& log, FakeHost& host) : id_(id), log_(log), host_(host) {}
    bool visible = false;
    bool enoughSpace = true;
    bool typical = false;  // the component page moves on at once

    void ShowPage(bool show) override { visible = show; }
    void OnLeaveForward(int skip) override { Record("leave", skip); }
    void OnEnterPage(int direction) override;
    void Refresh(bool redraw) override { Record("refresh", redraw); }
    bool HasEnoughSpace() const override { return enoughSpace; }

private:
    void Record(const char* what, int value) { log_.push_back(std::to_string(id_) + " " + what + " " + std::to_string(value)); }
    unsigned id_;
    Log& log_;
    FakeHost& host_;
};

class FakeHost : public WizardHost {
public:
    explicit FakeHost(Log& log) : log_(log) {}
    PageNavigator navigator{*this};

    void SendWizardMessage(unsigned message, std::uintptr_t wParam) override {
        switch (message) {
            case WM_WIZARD_NEXT: navigator.Next(static_cast<int>(wParam)); break;
            case WM_WIZARD_BACK: navigator.Back(); break;
            case WM_WIZARD_SHOW_PAGE: navigator.ShowPage(static_cast<unsigned>(wParam)); break;
            case WM_WIZARD_PAGE_SHOWN: log_.push_back("shown " + std::to_string(wParam)); break;
            case WM_WIZARD_BUTTONS: log_.push_back("buttons " + std::to_string(wParam)); break;
        }
    }
    void ShowLowSpaceWarning() override { log_.push_back("low space"); }

private:
    Log& log_;
};

void FakePage::OnEnterPage(int direction) {
    Record("enter", direction);
    if (typical) host_.SendWizardMessage(direction == kEnteredForward ? WM_WIZARD_NEXT : WM_WIZARD_BACK, 0);
}

class NavigatorTest : public ::testing::Test {
protected:
    void AddPages(unsigned first, unsigned last) {
        for (unsigned id = first; id <= last; ++id) {
            pages[id] = std::make_unique<FakePage>(id, log, host);
            host.navigator.Add(id, *pages[id]);
        }
    }
    std::vector<unsigned> Visible() const {
        std::vector<unsigned> visible;
        for (const auto& [id, page] : pages)
            if (page->visible) visible.push_back(id);
        return visible;
    }
    PageNavigator& navigator() { return host.navigator; }

    Log log;
    FakeHost host{log};
    std::map<unsigned, std::unique_ptr<FakePage>> pages;
};

TEST_F(NavigatorTest, ForwardThroughEveryPageWithTheirHooksAndMessages) {
    AddPages(120, 125);
    EXPECT_EQ(navigator().ShowPage(120), 0u);
    for (unsigned expected = 121; expected <= 125; ++expected) EXPECT_EQ(navigator().Next(kForward), expected);
    EXPECT_EQ(navigator().Next(kForward), 125u) << "the last page stays";
    const Log expected{
        "shown 120",
        "shown 121",
        "121 refresh 0", "122 enter 0", "shown 122",
        "122 leave 0", "123 enter 0", "buttons 32768", "shown 123",  // the download page has its own Cancel
        "buttons 2109440", "shown 124",                                // 0x203000: Back reads "Skip"
        "124 leave 0", "125 enter 0", "shown 125",
        "125 leave 0",  // the finish page ends the wizard itself
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(Visible(), std::vector<unsigned>{125});
}

TEST_F(NavigatorTest, SkipFlagReachesThePageLeft) {
    AddPages(124, 125);
    navigator().ShowPage(124);
    navigator().Next(kSkip);
    EXPECT_EQ(log[1], "124 leave 1");
}

TEST_F(NavigatorTest, TooLittleSpaceKeepsTheLicencePage) {
    AddPages(120, 122);
    pages[121]->enoughSpace = false;
    navigator().ShowPage(121);
    log.clear();
    EXPECT_EQ(navigator().Next(kForward), 121u);
    EXPECT_EQ(log, (Log{"121 refresh 0", "low space"}));
    EXPECT_EQ(Visible(), std::vector<unsigned>{121});
}

TEST_F(NavigatorTest, TypicalInstallationPassesTheComponentPageBothWays) {
    AddPages(120, 125);
    pages[122]->typical = true;
    navigator().ShowPage(121);
    EXPECT_EQ(navigator().Next(kForward), 123u);
    EXPECT_EQ(Visible(), std::vector<unsigned>{123});
    EXPECT_EQ(navigator().Back(), 121u) << "back from the download page lands on the licence page";
    EXPECT_EQ(Visible(), std::vector<unsigned>{121});
    // A plain Back from the component page does not call its hook.
    pages[122]->typical = false;
    navigator().Next(kForward);
    log.clear();
    EXPECT_EQ(navigator().Back(), 121u);
    EXPECT_EQ(log, Log{"shown 121"});
}

TEST_F(NavigatorTest, MissingPagesChangeNothing) {
    AddPages(120, 125);
    EXPECT_EQ(navigator().ShowPage(119), 0u) << "not installed: no page 119";
    EXPECT_EQ(navigator().Current(), 0u);
    navigator().ShowPage(120);
    EXPECT_EQ(navigator().Back(), 0u);
    EXPECT_EQ(navigator().Current(), 120u);
    EXPECT_EQ(Visible(), std::vector<unsigned>{120});
    EXPECT_EQ(navigator().Find(119), nullptr);
}

TEST_F(NavigatorTest, InstalledPageLeadsToTheWelcomePage) {
    AddPages(119, 125);
    navigator().ShowPage(119);
    EXPECT_EQ(navigator().Next(kForward), 120u);
    EXPECT_EQ(navigator().Back(), 119u);
}

TEST_F(NavigatorTest, ShowPageReportsThePreviousPageAndNeverHidesTheOneItShows) {
    AddPages(120, 125);
    EXPECT_EQ(navigator().ShowPage(120), 0u);
    EXPECT_EQ(navigator().ShowPage(121), 120u);
    EXPECT_EQ(navigator().ShowPage(121), 121u);
    EXPECT_EQ(Visible(), std::vector<unsigned>{121});
    EXPECT_EQ(log.back(), "shown 121");
}

}  // namespace
