// The update check against the reference server's update service.
#include "services/UpdateCheck.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "ServicesRefServer.h"

namespace {

using ServicesRefServer::SetUpdateAnswer;
using ServicesRefServer::SoapCalls;

constexpr VersionRecord kNone{};

std::u16string ServiceUrl() { return ServicesRefServer::WideUrl("/Service.asmx"); }

class UpdateService : public testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }
};

TEST_F(UpdateService, TheReportedVersionOrNoneForAnyUnusableAnswer) {
    const struct {
        const char* answer;  // form for /_control/update; empty: the run's answer
        const char* fault;   // armed for the service's requests; empty: none
        VersionRecord version;
    } cases[] = {
        {"", "", {3, 0, 12, 345}},
        {"version=3.0.13.0", "", {3, 0, 13, 0}},
        {"document=%EF%BB%BF%3CVERSION%3E%3CBuild2%3E9%3C%2FBuild2%3E%3CMAIN%3E3%3C%2FMAIN%3E%3CMinor%3E1%3C%2FMinor%3E"
         "%3Cbuild1%3E0%3C%2Fbuild1%3E%3C%2FVERSION%3E",
         "", {3, 1, 0, 9}},
        {"version=3.0.12", "", kNone},  // no build2
        {"version=3.x.12.345", "", kNone},
        {"document=3.0.12.345", "", kNone},
        {"document=%3CVersion%3E%3Cmain%3E3", "", kNone},
        {"nil=1", "", kNone},
        {"", "mode=soapfault", kNone},
        {"", "mode=garbage", kNone},
        {"", "mode=wrongbody", kNone},
        {"", "mode=status&code=404", kNone},
        {"", "mode=drop", kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.answer) + c.fault);
        TestServer::Reset();
        if (*c.answer) SetUpdateAnswer(c.answer);
        if (*c.fault) TestServer::ArmFault(std::string("path=/Service.asmx&") + c.fault);
        EXPECT_EQ(QueryServiceVersion(ServiceUrl()), c.version);

        // WinInet sends once more when a reused connection closes without an answer.
        const auto calls = SoapCalls();
        ASSERT_FALSE(calls.empty());
        if (std::string(c.fault) != "mode=drop") {
            EXPECT_EQ(calls.size(), 1u);
        }
        EXPECT_EQ(calls[0].operation, "GetVersionInfo");
        EXPECT_EQ(calls[0].problem, "");
        EXPECT_EQ(calls[0].Value("productID"), "13");
    }
    EXPECT_EQ(QueryServiceVersion(u"http://127.0.0.1:1/Service.asmx"), kNone);
}

}  // namespace
