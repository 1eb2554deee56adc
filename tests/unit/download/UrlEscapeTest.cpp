#include "download/RequestUrl.h"
#include "download/UrlEscape.h"

#include <gtest/gtest.h>

namespace {

using Download::EscapeUrlSpaces;

TEST(UrlEscape, OnlySpacesChange) {
    const struct {
        std::string url;
        std::string escaped;
    } cases[] = {
        {"http://h/Corvane Setup.msi", "http://h/Corvane%20Setup.msi"},
        {"http://h/a  b?q=x y#f g", "http://h/a%20%20b?q=x%20y#f%20g"},
        {"http://h/a%20b+c\"<>|^{}", "http://h/a%20b+c\"<>|^{}"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeUrlSpaces(c.url), c.escaped) << c.url;
}

TEST(UrlEscape, TheResultMustFitTheBuffer) {
    const std::string longest = "http://h/" + std::string(Download::kMaxEscapedUrlLength - 9, 'a');
    EXPECT_EQ(EscapeUrlSpaces(longest), longest);
    EXPECT_ANY_THROW(EscapeUrlSpaces(longest + "a"));
    // The spaces grow the text: 700 of them need 2,100 characters.
    EXPECT_ANY_THROW(EscapeUrlSpaces("http://h/" + std::string(700, ' ')));
}

}  // namespace

namespace {

TEST(RequestUrl, NonAsciiLettersGoOutAsPercentEncodedUtf8) {
    const struct {
        std::u16string url;
        std::string request;
    } cases[] = {
        {u"http://h/download.asp?wid=7&lang=en", "http://h/download.asp?wid=7&lang=en"},
        {u"http://h/Corvane Setup.msi", "http://h/Corvane%20Setup.msi"},
        {u"http://h/already%20escaped.msi", "http://h/already%20escaped.msi"},
        {u"http://h/\u00e9t\u00e9/p.msi", "http://h/%C3%A9t%C3%A9/p.msi"},               // outside ASCII, inside 1252
        {u"http://h/\u65e5\u672c/p.msi", "http://h/%E6%97%A5%E6%9C%AC/p.msi"},            // outside every Western page
        {u"http://h/\U0001F4E6.msi", "http://h/%F0%9F%93%A6.msi"},                        // a surrogate pair
        {std::u16string(u"http://h/a") + char16_t(0xD800) + u".msi", "http://h/a%EF%BF%BD.msi"},  // half a pair
        {u"http://h/a\tb\x7f", "http://h/a%09b%7F"},
    };
    for (const auto& c : cases) EXPECT_EQ(Download::RequestUrl(c.url), c.request) << c.request;
}

}  // namespace
