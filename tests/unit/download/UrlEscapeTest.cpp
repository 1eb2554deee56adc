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
