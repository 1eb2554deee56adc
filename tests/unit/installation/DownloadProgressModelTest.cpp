#include "installation/DownloadProgressModel.h"
#include "installation/StatusFormat.h"

#include <gtest/gtest.h>

#include "language/AsLanguage_Manager.h"

namespace {

using namespace Installation;

MemoryLanguageSetting setting;
AsLanguage_Manager languages(setting);

TEST(StatusFormat, FillsConversionsInOrderAndNeverReadsPastTheArguments) {
    struct Case {
        const char16_t* format;
        std::vector<FormatArgument> arguments;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"%d%% complete (%4.2f of %4.2f MB).", {31LL, 12.5, 40.0}, u"31% complete (12.50 of 40.00 MB)."},
        {u"%4.2f|%d|%3d", {1234.567, 7LL, 5LL}, u"1234.57|7|  5"},
        {u"%d and %d and %4.2f", {1LL}, u"1 and %d and %4.2f"},  // missing arguments stay as text
        {u"100%", {}, u"100%"},
        {u"%s %x %", {1LL}, u"%s %x %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatText(c.format, c.arguments), c.expected);
    }
}

TEST(DownloadProgressModel, TextFollowsEveryReportButTheBarNeverMovesBack) {
    languages.Change_Language(Language::English);
    DownloadProgressModel model(languages);
    struct Step {
        std::uint32_t percent;
        int bar;
        const char16_t* status;
    };
    const Step steps[] = {
        {10, 10, u"Downloading Corvane 2013. 10% complete (1.00 of 10.00 \u041CB)."},
        {9, 10, u"Downloading Corvane 2013. 9% complete (1.00 of 10.00 \u041CB)."},
        {11, 11, u"Downloading Corvane 2013. 11% complete (1.00 of 10.00 \u041CB)."},
    };
    for (const auto& step : steps) {
        EXPECT_TRUE(model.OnDownloadProgress(step.percent, 1048576.0, 10485760.0, Language::English));
        EXPECT_EQ(model.Current().value, step.bar);
        EXPECT_EQ(model.Current().status, step.status);
    }
    EXPECT_FALSE(model.OnDownloadProgress(11, 0, 0, Language::English));  // the same value: nothing to show
}

TEST(DownloadProgressModel, JapaneseNamesTheTotalFirst) {
    languages.Change_Language(Language::Japanese);
    DownloadProgressModel model(languages);
    model.OnDownloadProgress(31, 12.5 * 1048576, 40.0 * 1048576, Language::Japanese);
    const auto& status = model.Current().status;
    const auto total = status.find(u"40.00"), received = status.find(u"12.50");
    ASSERT_NE(total, std::u16string::npos) << "no total";
    ASSERT_NE(received, std::u16string::npos) << "no received amount";
    EXPECT_LT(total, received);
    languages.Change_Language(Language::English);
}

TEST(DownloadProgressModel, InstallationBeyondTheFilesIsCompleting) {
    languages.Change_Language(Language::English);
    DownloadProgressModel model(languages);
    model.SetSweeping(true);
    EXPECT_TRUE(model.OnInstallProgress(40));
    EXPECT_FALSE(model.Current().sweeping);
    EXPECT_EQ(model.Current().status, u"Installing Corvane 2013. 40% complete.");
    EXPECT_TRUE(model.OnInstallProgress(101));
    EXPECT_TRUE(model.Current().sweeping);
    EXPECT_EQ(model.Current().value, 100);
    EXPECT_EQ(model.Current().status, u"Completing installation. Please wait...");

    model.StartPhase();
    EXPECT_EQ(model.Current().value, 0);
}

}  // namespace
