#include "services/UrlParts.h"

#include <gtest/gtest.h>

namespace {

using Soap::SplitUrl;

TEST(UrlParts, SplitsServiceUrls) {
    struct Case {
        const char16_t* url;
        bool secure;
        const char16_t* host;
        int port;
        const char16_t* target;
    };
    const Case cases[] = {
        {u"http://127.0.0.1:48080/Service.asmx", false, u"127.0.0.1", 48080, u"/Service.asmx"},
        {u"https://stats.example.com/DesktopService.asmx", true, u"stats.example.com", 443, u"/DesktopService.asmx"},
        {u"HTTP://host/a/b.asmx?x=1&y=%20", false, u"host", 80, u"/a/b.asmx?x=1&y=%20"},
        {u"http://host", false, u"host", 80, u"/"},
        {u"http://host?q", false, u"host", 80, u"/?q"},
        {u"https://host:8443", true, u"host", 8443, u"/"},
        {u"http://[::1]:8080/x", false, u"[::1]", 8080, u"/x"},
        {u"http://[::1]/x", false, u"[::1]", 80, u"/x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.url)));
        const auto parts = SplitUrl(c.url);
        ASSERT_TRUE(parts);
        EXPECT_EQ(parts->secure, c.secure);
        EXPECT_EQ(parts->host, c.host);
        EXPECT_EQ(parts->port, c.port);
        EXPECT_EQ(parts->target, c.target);
    }
}

TEST(UrlParts, RefusesWhatItCannotConnectTo) {
    for (const char16_t* url : {u"", u"Service.asmx", u"ftp://host/x", u"http://", u"http:///x", u"http://:80/x",
                                u"http://host:/x", u"http://host:0/x", u"http://host:65536/x", u"http://host:8o/x",
                                u"http://user@host/x", u"http://host/x#frag"}) {
        EXPECT_FALSE(SplitUrl(url)) << testing::PrintToString(std::u16string(url));
    }
}

}  // namespace
