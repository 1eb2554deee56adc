#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ChoosesTheStartMode) {
    struct Case {
        std::vector<std::u16string> args;
        StartMode expected;
    };
    const Case cases[] = {
        {{u"setup.exe"}, StartMode::Wizard},
        {{u"setup.exe", u"-export", u"texts.xls"}, StartMode::Export},
        {{u"setup.exe", u"-export", u"a.xls", u"b.xls"}, StartMode::Wizard},  // two file names
        {{u"setup.exe", u"-export"}, StartMode::Wizard},                      // no file name
        {{u"setup.exe", u"-EXPORT", u"texts.xls"}, StartMode::Wizard},        // exact comparison
        {{u"setup.exe", u"-build", u"copy.exe", u"A=1"}, StartMode::Build},
        {{u"setup.exe", u"-BUILD", u"copy.exe", u"A=1"}, StartMode::Build},  // lower-cased comparison
        {{u"setup.exe", u"-build", u"copy.exe"}, StartMode::Build},          // builds nothing, still no wizard
        {{u"setup.exe", u"-build"}, StartMode::Build},
        {{u"setup.exe", u"build", u"copy.exe", u"A=1"}, StartMode::Wizard},
        {{u"setup.exe", u"/S"}, StartMode::Wizard},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args.size()) + " arguments");
        EXPECT_EQ(ClassifyCommandLine(c.args, c.args), c.expected);
    }
}

// Only lines that reach the wizard are asked; the malformed -export and -build
// lines that always reached it still show it.
TEST(CommandLine, SendsWizardLinesWithSwitchesToTheInstallSwitches) {
    struct Case {
        std::vector<std::u16string> args;
        bool carries;
    };
    const Case cases[] = {
        {{}, false},
        {{u"setup.exe"}, false},
        {{u"setup.exe", u"readme.txt"}, false},  // no switch: the wizard as before
        {{u"setup.exe", u"/S"}, true},
        {{u"setup.exe", u"-quiet"}, true},
        {{u"setup.exe", u"/bogus"}, true},  // refused there, not silently ignored
        {{u"setup.exe", u"readme.txt", u"/passive"}, true},
        {{u"setup.exe", u"/export", u"texts.xls"}, true},
        {{u"setup.exe", u"-export"}, false},
        {{u"setup.exe", u"-export", u"a.xls", u"/quiet"}, false},
        {{u"setup.exe", u"-EXPORT", u"texts.xls"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args.size()) + " arguments");
        ASSERT_EQ(ClassifyCommandLine(c.args, c.args), StartMode::Wizard);
        EXPECT_EQ(CarriesInstallSwitches(c.args), c.carries);
    }
}

}  // namespace
