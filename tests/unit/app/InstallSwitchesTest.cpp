#include "app/InstallSwitches.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "configuration/InstallerConfig.h"

namespace {

using Args = std::vector<std::u16string>;

Args Line(std::initializer_list<std::u16string> arguments) {
    Args line{u"setup.exe"};
    line.insert(line.end(), arguments);
    return line;
}

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            narrow += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            narrow += escaped;
        }
    }
    return narrow;
}

std::string Join(const Args& line) {
    std::string joined;
    for (std::size_t i = 1; i < line.size(); ++i) joined += (i > 1 ? " [" : "[") + Narrow(line[i]) + "]";
    return joined;
}

// The options as "quiet; log=FILE; lang=de; ..." with only what differs from
// a plain run, so that a case states its whole expectation in one string.
std::string Describe(const InstallOptions& options) {
    std::vector<std::string> parts;
    if (options.ui == InstallUi::Quiet) parts.push_back("quiet");
    if (options.ui == InstallUi::Passive) parts.push_back("passive");
    if (options.logFile) parts.push_back("log=" + Narrow(*options.logFile));
    if (options.language) {
        static const char* const kCodes[] = {"en", "fr", "de", "es", "it", "ja"};
        parts.push_back(std::string("lang=") +
                        (Language::IsValid(*options.language) ? kCodes[*options.language] : "invalid"));
    }
    if (options.installDir) parts.push_back("dir=" + Narrow(*options.installDir));
    if (options.features) {
        char bits[16];
        std::snprintf(bits, sizeof bits, "0x%X", static_cast<unsigned>(*options.features));
        parts.push_back(std::string("features=") + bits);
    }
    if (options.layoutDir) parts.push_back("layout=" + Narrow(*options.layoutDir));
    if (options.packageFile) parts.push_back("package=" + Narrow(*options.packageFile));
    if (options.noRestart) parts.push_back("norestart");
    if (options.noReports) parts.push_back("noreports");
    if (options.help) parts.push_back("help");
    std::string described;
    for (const std::string& part : parts) described += (described.empty() ? "" : "; ") + part;
    return described;
}

struct ValidCase {
    Args line;
    const char* expected;
};

void ExpectAccepted(const ValidCase& c) {
    SCOPED_TRACE(Join(c.line));
    const InstallSwitchesResult result = ParseInstallSwitches(c.line);
    ASSERT_TRUE(result.options) << Narrow(result.error);
    EXPECT_TRUE(result.error.empty());
    EXPECT_EQ(Describe(*result.options), c.expected);
}

TEST(InstallSwitches, AcceptsTheSwitchesInAnyOrderAndCombination) {
    const ValidCase cases[] = {
        {Line({}), ""},
        {Line({u"/quiet"}), "quiet"},
        {Line({u"/passive"}), "passive"},
        {Line({u"/quiet", u"/q", u"/silent"}), "quiet"},  // one mode, however often
        {Line({u"/norestart", u"/norestart"}), "norestart"},
        {Line({u"/quiet", u"/log", u"C:\\Logs\\setup.log"}), "quiet; log=C:\\Logs\\setup.log"},
        {Line({u"/log", u"C:\\Logs\\setup.log", u"/quiet"}), "quiet; log=C:\\Logs\\setup.log"},
        {Line({u"/passive", u"/norestart", u"/noreports", u"/lang", u"de", u"/dir", u"D:\\Apps\\Corvane"}),
         "passive; lang=de; dir=D:\\Apps\\Corvane; norestart; noreports"},
        {Line({u"/dir", u"D:\\Apps\\Corvane", u"/lang", u"fr", u"/noreports", u"/passive", u"/norestart"}),
         "passive; lang=fr; dir=D:\\Apps\\Corvane; norestart; noreports"},
        {Line({u"/quiet", u"/features", u"Word integration,Windows Shell integration"}), "quiet; features=0x420"},
        {Line({u"/quiet", u"/package", u"\\\\server\\share\\Corvane.msi", u"/dir", u"E:\\Corvane"}),
         "quiet; dir=E:\\Corvane; package=\\\\server\\share\\Corvane.msi"},
        {Line({u"/quiet", u"/layout", u"\\\\server\\share\\Corvane"}), "quiet; layout=\\\\server\\share\\Corvane"},
        {Line({u"/layout", u"D:\\Layout", u"/lang", u"ja", u"/log", u"layout.log", u"/norestart", u"/noreports"}),
         "passive; log=layout.log; lang=ja; layout=D:\\Layout; norestart; noreports"},  // no wizard for a layout
        // The wizard with some of its answers given.
        {Line({u"/lang", u"it", u"/dir", u"C:\\Corvane"}), "lang=it; dir=C:\\Corvane"},
        {Line({u"/features", u"Outlook Previewer"}), "features=0x2000"},
        // Values after ':' or '=' are taken whole, separators and all.
        {Line({u"/log:C:\\Logs\\setup.log"}), "log=C:\\Logs\\setup.log"},
        {Line({u"-log=setup.log"}), "log=setup.log"},
        {Line({u"/log=a=b:c.log"}), "log=a=b:c.log"},
        {Line({u"/log:/quiet"}), "log=/quiet"},
        {Line({u"/lang:es"}), "lang=es"},
        {Line({u"/features=Excel integration"}), "features=0x40"},
        // A following argument is the value unless it is a switch of ours.
        {Line({u"/log", u"-setup.log"}), "log=-setup.log"},
        {Line({u"/dir", u"/opt/corvane"}), "dir=/opt/corvane"},
    };
    for (const ValidCase& c : cases) ExpectAccepted(c);
}

TEST(InstallSwitches, MatchesSwitchesAndCodesWithoutRegardToCaseAfterEitherPrefix) {
    const ValidCase cases[] = {
        {Line({u"/QUIET"}), "quiet"},
        {Line({u"-Quiet"}), "quiet"},
        {Line({u"/Q"}), "quiet"},
        {Line({u"-q"}), "quiet"},
        {Line({u"/S"}), "quiet"},
        {Line({u"-s"}), "quiet"},
        {Line({u"/SiLeNt"}), "quiet"},
        {Line({u"-PASSIVE"}), "passive"},
        {Line({u"-NoRestart", u"/NOREPORTS"}), "norestart; noreports"},
        {Line({u"-LOG", u"a.log"}), "log=a.log"},
        {Line({u"/Log:a.log"}), "log=a.log"},
        {Line({u"-Dir", u"C:\\x"}), "dir=C:\\x"},
        {Line({u"/LAYOUT=C:\\x"}), "passive; layout=C:\\x"},
        {Line({u"-Package", u"p.msi"}), "package=p.msi"},
        {Line({u"-FEATURES", u"MOZILLA FIREFOX INTEGRATION"}), "features=0x1000"},
        {Line({u"/LANG", u"DE"}), "lang=de"},
        {Line({u"-lang", u"Ja"}), "lang=ja"},
        {Line({u"/lang", u"EN"}), "lang=en"},
    };
    for (const ValidCase& c : cases) ExpectAccepted(c);
}

TEST(InstallSwitches, KeepsValuesWithSpacesAsOneArgument) {
    const ValidCase cases[] = {
        {Line({u"/dir", u"C:\\Program Files\\Corvane 2013"}), "dir=C:\\Program Files\\Corvane 2013"},
        {Line({u"/log:C:\\My Logs\\setup log.txt"}), "log=C:\\My Logs\\setup log.txt"},
        {Line({u"/package", u"\\\\file server\\Corvane 2013.msi"}), "package=\\\\file server\\Corvane 2013.msi"},
        {Line({u"/layout", u"D:\\Corvane layout"}), "passive; layout=D:\\Corvane layout"},
        {Line({u"/dir", u"C:\\Programme\\Corvane \u00fcber"}), "dir=C:\\Programme\\Corvane \\u00FCber"},
        {Line({u"/quiet", u"/features", u" Word integration , Excel integration "}), "quiet; features=0x60"},
    };
    for (const ValidCase& c : cases) ExpectAccepted(c);
}

TEST(InstallSwitches, KnowsEveryFeatureByItsEnglishName) {
    struct Feature {
        const char16_t* name;
        std::uint32_t bit;
    };
    const Feature features[] = {
        {u"Word integration", kFeatureWord},
        {u"Excel integration", kFeatureExcel},
        {u"Outlook integration", kFeatureOutlook},
        {u"Power Point integration", kFeaturePowerPoint},
        {u"Publisher integration", kFeaturePublisher},
        {u"Windows Shell integration", kFeatureShell},
        {u"MS Internet Explorer integration", kFeatureInternetExplorer},
        {u"Mozilla FireFox integration", kFeatureFirefox},
        {u"Outlook Previewer", kFeaturePreviewer},
    };
    auto bitsOf = [](const std::u16string& list) -> std::optional<std::uint32_t> {
        const InstallSwitchesResult result = ParseInstallSwitches(Line({u"/features", list}));
        if (!result.options) return std::nullopt;
        return result.options->features;
    };
    std::u16string all;
    std::uint32_t allBits = 0;
    for (const Feature& feature : features) {
        const std::u16string name = feature.name;
        SCOPED_TRACE(Narrow(name));
        std::u16string upper = name, lower = name;
        for (char16_t& c : upper) c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        for (char16_t& c : lower) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
        for (const std::u16string& spelling : {name, upper, lower, u"  " + name + u"\t", name + u"," + lower})
            EXPECT_EQ(bitsOf(spelling), feature.bit) << Narrow(spelling);
        all += (all.empty() ? u"" : u",") + name;
        allBits |= feature.bit;
    }
    EXPECT_EQ(bitsOf(all), allBits);
    EXPECT_EQ(allBits, 0x3FE0u);  // every integration feature the package has
}

struct ErrorCase {
    Args line;
    std::string reason;  // the whole one-line reason
};

void ExpectRefused(const ErrorCase& c) {
    SCOPED_TRACE(Join(c.line));
    const InstallSwitchesResult result = ParseInstallSwitches(c.line);
    EXPECT_FALSE(result.options);
    EXPECT_EQ(Narrow(result.error), c.reason);
}

TEST(InstallSwitches, RefusesAnInvalidCommandLineWithItsReason) {
    const ErrorCase cases[] = {
        // What is not ours.
        {Line({u"/foo"}), "unknown switch \"/foo\" (see /?)"},
        {Line({u"-quiet", u"/qn"}), "unknown switch \"/qn\" (see /?)"},
        {Line({u"--quiet"}), "unknown switch \"--quiet\" (see /?)"},
        {Line({u"/"}), "unknown switch \"/\" (see /?)"},
        {Line({u"-:x"}), "unknown switch \"-\" (see /?)"},
        {Line({u"/export", u"texts.xls"}), "unknown switch \"/export\" (see /?)"},
        {Line({u"install"}), "unexpected argument \"install\" (switches start with / or -)"},
        {Line({u"/quiet", u"C:\\Corvane"}), "unexpected argument \"C:\\Corvane\" (switches start with / or -)"},
        {Line({u"/norestart", u""}), "unexpected argument \"\" (switches start with / or -)"},
        // Values missing, empty, or used by a switch without one.
        {Line({u"/log"}), "/log needs a value: /log FILE"},
        {Line({u"/quiet", u"/Dir"}), "/Dir needs a value: /Dir PATH"},
        {Line({u"/lang"}), "/lang needs a value: /lang CODE"},
        {Line({u"/features"}), "/features needs a value: /features LIST"},
        {Line({u"-layout"}), "-layout needs a value: -layout DIR"},
        {Line({u"/package"}), "/package needs a value: /package FILE"},
        {Line({u"/log", u""}), "/log needs a value: /log FILE"},
        {Line({u"/log", u"  "}), "/log needs a value: /log FILE"},
        {Line({u"/log:"}), "/log needs a value: /log FILE"},
        {Line({u"/dir="}), "/dir needs a value: /dir PATH"},
        {Line({u"/log", u"/quiet"}), "/log needs a value: /log FILE"},
        {Line({u"/dir", u"-Passive", u"C:\\x"}), "/dir needs a value: /dir PATH"},
        {Line({u"/quiet:yes"}), "/quiet takes no value"},
        {Line({u"-norestart=1"}), "-norestart takes no value"},
        // Languages and features outside the lists.
        {Line({u"/lang", u"xx"}), "unknown language \"xx\" (en, de, fr, es, it, ja)"},
        {Line({u"/lang", u"jp"}), "unknown language \"jp\" (en, de, fr, es, it, ja)"},
        {Line({u"/lang", u"English"}), "unknown language \"English\" (en, de, fr, es, it, ja)"},
        {Line({u"/lang", u" de"}), "unknown language \" de\" (en, de, fr, es, it, ja)"},
        {Line({u"/features", u"Word"}), "unknown feature \"Word\" (see /?)"},
        {Line({u"/features", u"PowerPoint integration"}), "unknown feature \"PowerPoint integration\" (see /?)"},
        {Line({u"/features", u"Word  integration"}), "unknown feature \"Word  integration\" (see /?)"},
        {Line({u"/features", u"Word integration,"}), "unknown feature \"\" (see /?)"},
        {Line({u"/features", u"Word integration,,Excel integration"}), "unknown feature \"\" (see /?)"},
        {Line({u"/features", u",Word integration"}), "unknown feature \"\" (see /?)"},
        {Line({u"/features", u"Word integration;Excel integration"}),
         "unknown feature \"Word integration;Excel integration\" (see /?)"},
        // Switches that contradict each other.
        {Line({u"/quiet", u"/passive"}), "/quiet and /passive contradict each other"},
        {Line({u"-Passive", u"/s"}), "/s and -Passive contradict each other"},
        {Line({u"/layout", u"D:\\L", u"/package", u"p.msi"}),
         "/layout and /package contradict each other: a layout installs nothing"},
        {Line({u"/package", u"p.msi", u"/quiet", u"-layout", u"D:\\L"}),
         "-layout and /package contradict each other: a layout installs nothing"},
        {Line({u"/layout", u"D:\\L", u"/dir", u"C:\\x"}),
         "/layout and /dir contradict each other: a layout installs nothing"},
        {Line({u"/features", u"Word integration", u"/layout", u"D:\\L"}),
         "/layout and /features contradict each other: a layout installs nothing"},
        // One value asked for twice.
        {Line({u"/log", u"a.log", u"/log", u"b.log"}), "/log is given twice"},
        {Line({u"/log", u"a.log", u"/log", u"a.log"}), "/log is given twice"},
        {Line({u"/lang", u"de", u"-LANG", u"fr"}), "-LANG is given twice"},
        {Line({u"/features", u"Word integration", u"/features", u"Excel integration"}), "/features is given twice"},
    };
    for (const ErrorCase& c : cases) ExpectRefused(c);
}

// The reason is one line of readable text, whatever the argument holds.
TEST(InstallSwitches, QuotesHostileArgumentsOnOneShortLine) {
    const std::u16string longArgument(10000, u'x');
    const ErrorCase cases[] = {
        {Line({u"/foo\r\n/bar"}), "unknown switch \"/foo?" "?/bar\" (see /?)"},
        {Line({u"/lang", u"d\ne"}), "unknown language \"d?e\" (en, de, fr, es, it, ja)"},
        {Line({u"/features", u"Word\x1b[2J"}), "unknown feature \"Word?[2J\" (see /?)"},
        {Line({u"line\u2028break\u0085"}), "unexpected argument \"line?break?\" (switches start with / or -)"},
        {Line({u"-" + longArgument}),
         "unknown switch \"-" + std::string(79, 'x') + "...\" (see /?)"},
        {Line({u"/lang", std::u16string(79, u'a') + u"\U0001F600"}),  // no half of a character
         "unknown language \"" + std::string(79, 'a') + "...\" (en, de, fr, es, it, ja)"},
    };
    for (const ErrorCase& c : cases) ExpectRefused(c);
}

TEST(InstallSwitches, HelpWinsOverEverythingElseOnTheLine) {
    const ValidCase cases[] = {
        {Line({u"/?"}), "help"},
        {Line({u"-?"}), "help"},
        {Line({u"/help"}), "help"},
        {Line({u"-HELP"}), "help"},
        {Line({u"/quiet", u"/log", u"a.log", u"/?"}), "help"},
        {Line({u"/unknown", u"/?"}), "help"},
        {Line({u"/quiet", u"/passive", u"-Help"}), "help"},
        {Line({u"/log", u"/?"}), "help"},  // a switch of ours is never a value
    };
    for (const ValidCase& c : cases) ExpectAccepted(c);
}

TEST(InstallSwitches, HelpNamesEverySwitchFeatureAndExitCode) {
    const std::u16string help = InstallSwitchesHelp();
    const char16_t* const expected[] = {
        u"/quiet, /q, /s, /silent ", u"/passive ", u"/log FILE ", u"/norestart ", u"/lang CODE ",
        u"/dir PATH ", u"/features LIST ", u"/layout DIR ", u"/package FILE ", u"/noreports ",
        u"/?, /help ", u"en, de, fr, es, it, ja",
        u"Word integration", u"Excel integration", u"Outlook integration", u"Power Point integration",
        u"Publisher integration", u"Windows Shell integration", u"MS Internet Explorer integration",
        u"Mozilla FireFox integration", u"Outlook Previewer",
        u"0 installed", u"3010 installed, a restart is needed", u"1602 cancelled", u"1603 failed",
        u"1618 another installation", u"1638 a newer version", u"1639 invalid command line",
    };
    for (const char16_t* text : expected)
        EXPECT_NE(help.find(text), std::u16string::npos) << Narrow(text) << " in\n" << Narrow(help);
    // Each switch on a line of its own.
    for (const char16_t* line : {u"\n  /passive ", u"\n  /log FILE ", u"\n  /?, /help "})
        EXPECT_NE(help.find(line), std::u16string::npos) << Narrow(line);
}

}  // namespace
