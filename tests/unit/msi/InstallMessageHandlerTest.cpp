#include "msi/InstallMessageHandler.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "msi/MsiErrors.h"

namespace {

using namespace MSIInstaller;

constexpr std::uint32_t kProgress = kMessageProgress;

class InstallMessageHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        handler.Reset([this](std::int32_t percentage) { percentages.push_back(percentage); });
    }

    void Progress(const char16_t* text) { EXPECT_EQ(handler.Answer(kProgress, text), 1); }

    InstallMessageHandler handler;
    std::vector<std::int32_t> percentages;
};

struct AnswerCase {
    std::uint32_t type;
    std::int32_t answer;
};

TEST_F(InstallMessageHandlerTest, AnswersByMessageKind) {
    const AnswerCase cases[] = {
        {kMessageUser, 1},          {kMessageInfo, 1},          {kMessageInfo | 0x10, 1},
        {kMessageFilesInUse, 0},    {kMessageResolveSource, 0}, {kMessageOutOfDiskSpace, 1},
        {kMessageActionStart, 1},   {kMessageActionData, 1},    {kMessageCommonData, 1},
        {kMessageInitialize, 1},    {kMessageTerminate, 1},     {kMessageShowDialog, 1},
        {0x0F000000, 0},            {0x19000000, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(handler.Answer(c.type, u"text"), c.answer) << std::hex << c.type;
    // A message without text is answered 0 whatever its kind, errors included.
    for (std::uint32_t type : {kMessageError, kMessageProgress, kMessageInfo}) {
        EXPECT_EQ(handler.Answer(type, nullptr), 0);
    }
}

TEST_F(InstallMessageHandlerTest, FatalExitsErrorsAndWarningsRaiseWithTheirText) {
    const std::pair<std::uint32_t, const char16_t*> cases[] = {
        {kMessageFatalExit, u"ERROR: INSTALLMESSAGE_FATALEXIT.Installation ended prematurely."},
        {kMessageError | 0x12, u"ERROR: INSTALLMESSAGE_ERROR.Installation ended prematurely."},
        {kMessageWarning, u"WARNING: INSTALLMESSAGE_WARNING.Installation ended prematurely."},
    };
    for (const auto& [type, expected] : cases) {
        try {
            handler.Answer(type, u"Installation ended prematurely.");
            ADD_FAILURE() << "no error for " << std::hex << type;
        } catch (const FatalError&) {
            ADD_FAILURE() << "a fatal error for " << std::hex << type;
        } catch (const Error& error) {
            EXPECT_EQ(error.Text(), expected);
        }
    }
}

TEST_F(InstallMessageHandlerTest, PercentagesCountTicksAgainstTheFileSizes) {
    handler.SetPackageSize(1000000);
    EXPECT_EQ(handler.Divisor(), 10000);
    Progress(u"1: 2 2: 5000 ");                  // before any reset: ignored
    Progress(u"1: 0 2: 40000 3: 0 4: 0 ");
    Progress(u"1: 2 2: 2500 ");
    Progress(u"1: 2 2: 7500 ");
    Progress(u"1: 1 2: 25 3: 1 ");               // action information changes nothing
    Progress(u"1: 3 2: 100000 ");                // nor does adding ticks
    Progress(u"1: 2 2: 1000000 ");
    Progress(u"1: 0 2: 5000 3: 0 4: 0 ");        // a new reset starts again at 0
    Progress(u"1: 2 2: 512 3: 0 ");
    Progress(u"1: x 2: 999999 ");                // not a progress text
    EXPECT_EQ(percentages, (std::vector<std::int32_t>{0, 1, 101, 0}));
    EXPECT_EQ(handler.AccumulatedTicks(), 512);
    EXPECT_EQ(handler.TotalTicks(), 5000);
}

TEST_F(InstallMessageHandlerTest, ABackwardResetGivesNegativePercentages) {
    handler.SetPackageSize(100000);
    Progress(u"1: 0 2: 50000 3: 1 4: 1 ");
    EXPECT_FALSE(handler.Forward());
    Progress(u"1: 2 2: 3000 ");
    Progress(u"1: 2 2: 3000 ");
    EXPECT_EQ(percentages, (std::vector<std::int32_t>{-3, -6}));
}

TEST_F(InstallMessageHandlerTest, SmallPackagesMeasureAgainstTheResetTotal) {
    handler.SetPackageSize(99);  // no hundredth to divide by
    EXPECT_EQ(handler.Divisor(), 0);
    Progress(u"1: 0 2: 400 3: 0 4: 0 ");
    Progress(u"1: 2 2: 100 ");
    Progress(u"1: 2 2: 500 ");
    EXPECT_EQ(percentages, (std::vector<std::int32_t>{25, 150}));
}

TEST_F(InstallMessageHandlerTest, HugeTickCountsNeitherWrapNorOverflow) {
    handler.SetPackageSize(100);
    Progress(u"1: 0 2: 2147483647 3: 0 4: 0 ");
    Progress(u"1: 2 2: 2147483647 ");
    Progress(u"1: 2 2: 2147483647 ");
    EXPECT_EQ(handler.AccumulatedTicks(), 2147483647);
    EXPECT_EQ(percentages.back(), 2147483647);
}

TEST_F(InstallMessageHandlerTest, ResetForgetsTheEarlierInstallation) {
    handler.SetPackageSize(1000);
    Progress(u"1: 0 2: 300 3: 1 4: 1 ");
    Progress(u"1: 2 2: 30 ");
    std::vector<std::int32_t> second;
    handler.Reset([&second](std::int32_t percentage) { second.push_back(percentage); });
    EXPECT_EQ(handler.TotalTicks(), 0);
    EXPECT_EQ(handler.AccumulatedTicks(), 0);
    EXPECT_TRUE(handler.Forward());
    EXPECT_EQ(handler.Fields(), (ProgressFields{0, 0, 0, 0}));
    Progress(u"1: 2 2: 30 ");  // no reset yet in this installation
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(percentages, std::vector<std::int32_t>{-3});
}

TEST_F(InstallMessageHandlerTest, FailuresAreKeptAndRaisedLater) {
    handler.SetPackageSize(1000);
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageProgress, u"1: 0 2: 100 3: 0 4: 0 "), 1);
    // A warning in a plain message box: OK is the only answer there is.
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageWarning, u"Low on disk space"), 1);
    ASSERT_TRUE(handler.HasPendingError());
    // From now on the installer is asked to stop, and the first failure stays.
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageError | 2, u"Second failure"), 3);  // Abort
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageError | 1, u"x"), 2);               // Cancel
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageError | 4, u"x"), 7);               // No
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageProgress, u"1: 2 2: 50 "), 2);
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageTerminate, nullptr), 2);
    EXPECT_TRUE(percentages.empty());
    try {
        handler.RaisePendingError();
        ADD_FAILURE() << "nothing raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.Text(), u"WARNING: INSTALLMESSAGE_WARNING.Low on disk space");
    }
    EXPECT_FALSE(handler.HasPendingError());
    EXPECT_NO_THROW(handler.RaisePendingError());
}

TEST_F(InstallMessageHandlerTest, WhateverTheCallbackRaisesComesBackUnchanged) {
    handler.Reset([](std::int32_t) { throw std::runtime_error("page closed"); });
    handler.SetPackageSize(1000);
    handler.AnswerWithoutThrowing(kMessageProgress, u"1: 0 2: 100 3: 0 4: 0 ");
    EXPECT_EQ(handler.AnswerWithoutThrowing(kMessageProgress, u"1: 2 2: 50 "), 2);
    EXPECT_THROW(handler.RaisePendingError(), std::runtime_error);

    // A progress number out of range is kept like any other failure.
    handler.AnswerWithoutThrowing(kMessageProgress, u"1: 0 2: 99999999999 3: 0 4: 0 ");
    try {
        handler.RaisePendingError();
        ADD_FAILURE() << "nothing raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.Text(), u"ERROR: WStrToInt(sourceStr) - ::wcstol failed. Error handling.");
    }
}

TEST_F(InstallMessageHandlerTest, ResetDropsAFailureNobodyRaised) {
    handler.AnswerWithoutThrowing(kMessageError, u"left over");
    handler.Reset(nullptr);
    EXPECT_FALSE(handler.HasPendingError());
    handler.SetPackageSize(1000);
    Progress(u"1: 0 2: 100 3: 0 4: 0 ");
    Progress(u"1: 2 2: 50 ");  // no callback: nothing to call
}

}  // namespace
