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

}  // namespace
