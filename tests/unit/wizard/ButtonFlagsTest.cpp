#include "wizard/ButtonFlags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Wizard;
using Actions = std::vector<std::string>;

class RecordingButtons : public WizardButtons {
public:
    Actions actions;
    void ShowButton(WizardButton button, bool show) override { Add(show ? "show " : "hide ", button); }
    void EnableButton(WizardButton button, bool enable) override { Add(enable ? "enable " : "disable ", button); }
    void SetButtonCaption(WizardButton button, int textId) override {
        Add("caption " + std::to_string(textId) + " ", button);
    }
    void MoveButton(WizardButton button, int x, int y) override {
        Add("move " + std::to_string(x) + "," + std::to_string(y) + " ", button);
    }

private:
    void Add(const std::string& what, WizardButton button) {
        static const char* names[] = {"next", "back", "cancel"};
        actions.push_back(what + names[static_cast<int>(button)]);
    }
};

Actions Apply(std::uint32_t flags) {
    RecordingButtons buttons;
    ApplyButtonFlags(flags, buttons);
    return buttons.actions;
}

TEST(ButtonFlags, CombinationsThePagesUse) {
    struct Case {
        std::uint32_t flags;
        Actions expected;
    } cases[] = {
        {0x10, {"enable next"}},    // licence accepted
        {0x20, {"disable next"}},   // licence not accepted
        {0x8000, {"hide next", "hide back", "hide cancel"}},
        {0x203000, {"show next", "show back", "caption 50 back"}},  // send-by-e-mail page
        {0x300000, {"caption 1000 next", "caption 50 back"}},
        {0x4000101, {"enable next", "enable back", "enable cancel", "caption 49 next", "caption 1001 back"}},
        {0x1000000,
         {"move 311,479 cancel", "move 552,479 next", "caption 49 cancel", "caption 51 next", "hide back"}},
        {0x2000000, {"move 311,479 cancel", "move 552,479 next", "move 441,479 back"}},
        {0x20000, {"move 440,479 cancel"}},
        {0x40000, {"move 330,479 cancel"}},
        {0x80000, {"caption 50 cancel"}},
        {0, {}},
        {0x8000000, {}},  // unknown bits are ignored
    };
    for (const Case& c : cases) EXPECT_EQ(Apply(c.flags), c.expected) << std::hex << c.flags;
}

TEST(ButtonFlags, OneMessageAppliesInTheFixedOrder) {
    // Hide-all comes before show-all, enabling before disabling, hiding one
    // before showing one, whatever the bits' values.
    EXPECT_EQ(Apply(0x8000 | 0x10000 | 0x1 | 0x2),
              (Actions{"hide next", "hide back", "hide cancel", "show next", "show back", "show cancel",
                       "enable next", "enable back", "enable cancel", "disable next", "disable back",
                       "disable cancel"}));
    EXPECT_EQ(Apply(0x200 | 0x1000), (Actions{"hide next", "show next"}));
    EXPECT_EQ(Apply(0x4 | 0x8 | 0x40 | 0x80), (Actions{"enable back", "disable back", "enable cancel", "disable cancel"}));
    EXPECT_EQ(Apply(0x100 | 0x100000), (Actions{"caption 49 next", "caption 1000 next"}));
}

}  // namespace
