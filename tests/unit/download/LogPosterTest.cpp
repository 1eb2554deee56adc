// The log poster against the reference server's log handler.
#include "download/LogPoster.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "RefServer.h"
#include "ScopedUserProxy.h"

namespace {

using namespace std::chrono_literals;
using TestServer::Url;

class LogPosterTest : public ::testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }
    const std::string endpoint_ = Url("/LogHandler.ashx");
};

TEST_F(LogPosterTest, PostsTheMessageAsOneEncodedFormField) {
    const struct {
        std::string message;
        std::string body;
    } cases[] = {
        {"Method:Start,GUID:x", "message=Method%3AStart%2CGUID%3Ax"},
        {"", "message="},
        {"a b+c/\xe9~-._Zz09;\r\n", "message=a%20b%2Bc%2F%E9~-._Zz09%3B%0D%0A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TestServer::Reset();
        EXPECT_EQ(PostLogMessage(c.message, endpoint_), 200);

        const auto journal = TestServer::Journal();
        ASSERT_EQ(journal.size(), 1u);
        const auto& request = journal[0];
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.target, "/LogHandler.ashx");
        EXPECT_EQ(request.body, c.body);
        EXPECT_EQ(request.Header("Content-Length"), std::to_string(c.body.size()));
        EXPECT_EQ(request.Header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(request.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)");
    }
}

TEST_F(LogPosterTest, GivesTheStatusOfTheAnswerOrZeroWithoutOne) {
    TestServer::ArmFault("path=/LogHandler.ashx&mode=status&code=500&times=1");
    EXPECT_EQ(PostLogMessage("x", endpoint_), 500);
    TestServer::ArmFault("path=/LogHandler.ashx&mode=drop&times=1");
    EXPECT_EQ(PostLogMessage("x", endpoint_), 0);
    EXPECT_EQ(PostLogMessage("x", Url("/elsewhere.ashx")), 404);
    EXPECT_EQ(PostLogMessage("x", "http://127.0.0.1:1/LogHandler.ashx"), 0);
}

TEST_F(LogPosterTest, WaitsForAServerThatTakesItsTime) {
    TestServer::ArmFault("path=/LogHandler.ashx&mode=hold&times=1");
    auto posted = std::async(std::launch::async, [this] { return PostLogMessage("late", endpoint_); });

    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (TestServer::Journal().empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    // The request has arrived and the server holds the answer back.
    EXPECT_EQ(posted.wait_for(200ms), std::future_status::timeout);
    TestServer::Release();
    EXPECT_EQ(posted.get(), 200);
}

TEST_F(LogPosterTest, GivesUpOnAServerThatNeverAnswers) {
    TestServer::ArmFault("path=/LogHandler.ashx&mode=hold&times=1");
    EXPECT_EQ(PostLogMessage("never answered", endpoint_, 1), 0);
    TestServer::Release();
}

// The post goes the way the user's proxy settings send its address, as the
// package download does.
TEST_F(LogPosterTest, GoesTheWayTheProxySettingsSendItsAddress) {
    const std::string port = std::to_string(TestServer::Port());
    const std::string endpoint = "http://logs.corvane.test:" + port + "/LogHandler.ashx";
    {
        TestServer::ScopedUserProxy userProxy("127.0.0.1:" + port);
        EXPECT_EQ(PostLogMessage("through the proxy", endpoint), 200);
    }
    const auto journal = TestServer::Journal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_TRUE(journal[0].proxied);
    EXPECT_EQ(journal[0].target, endpoint);
}

}  // namespace
