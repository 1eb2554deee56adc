#include "wizard/EmailAddress.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

using Wizard::IsValidEmailAddress;
using Wizard::WithoutWhiteSpace;

// The address form as the contact page has always described it. Matching
// with a backtracking engine is exponential in the worst case, so it serves
// only as the reference for short texts here.
const std::regex& ReferencePattern() {
    static const std::regex pattern(
        R"(((?:(?:(?:[a-zA-Z0-9!#$%&'*+-/=?^_`{|}~][\.\-\+_]?)*)[a-zA-Z0-9])+)\@((?:(?:(?:[a-zA-Z0-9][\.\-]?){0,62})[a-zA-Z0-9])+)\.([a-zA-Z0-9]{2,6}))");
    return pattern;
}

TEST(EmailAddress, AcceptsAndRejectsTheTypicalForms) {
    const struct {
        const char* address;
        bool valid;
    } cases[] = {
        {"jo@example.org", true},
        {"Jo.Smith+news@mail.example.co.uk", true},
        {"a@b.cd", true},
        {"x!#$%&'*+,-./=?^_`{|}~y@host.com", true},  // every sign the local part may hold
        {"jo@my-host.info", true},
        {"jo@host.museum", true},   // 6 characters after the last dot
        {"jo@host.123456", true},
        {"", false},
        {"jo", false},
        {"jo@", false},
        {"@example.org", false},
        {"jo@example", false},
        {"jo@example.c", false},         // one character after the last dot
        {"jo@example.abcdefg", false},  // seven
        {"jo.@example.org", false},      // the local part ends with a letter or digit
        {"jo@@example.org", false},
        {"jo@ex@ample.org", false},
        {"jo@.example.org", false},
        {"jo@example..org", false},
        {"jo@exa--mple.org", false},
        {"jo@exa.-mple.org", false},
        {"jo@-example.org", false},
        {"jo@example-.org", false},
        {"jo@example.org.", false},
        {"jo@exam_ple.org", false},
        {"jo@example.o-g", false},  // the last separator must be the dot
        {"jo smith@example.org", false},
        {"j\xC3\xB6@example.org", false},  // letters outside ASCII
        {"jo@example.org\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidEmailAddress(c.address), c.valid) << c.address;
}

TEST(EmailAddress, AgreesWithThePatternOnEveryShortText) {
    // Every text of up to 6 characters over an alphabet that reaches each
    // rule of the pattern.
    const std::string alphabet = "a.-@!";
    std::string text;
    std::size_t checked = 0;
    for (std::size_t length = 0; length <= 6; ++length) {
        std::vector<std::size_t> digits(length, 0);
        for (;;) {
            text.assign(length, ' ');
            for (std::size_t i = 0; i < length; ++i) text[i] = alphabet[digits[i]];
            ASSERT_EQ(IsValidEmailAddress(text), std::regex_match(text, ReferencePattern())) << text;
            ++checked;
            std::size_t i = 0;
            while (i < length && ++digits[i] == alphabet.size()) digits[i++] = 0;
            if (i == length) break;
        }
    }
    EXPECT_GT(checked, 19000u);
}

TEST(EmailAddress, AnswersLongAdversarialTextsAtOnce) {
    // Texts that drive a backtracking matcher into exponential work: long
    // runs that almost match and fail at the very end.
    const std::size_t n = 200000;
    std::string dots;
    for (std::size_t i = 0; i < n; ++i) dots += "a.";
    const struct {
        std::string address;
        bool valid;
    } cases[] = {
        {std::string(n, 'a') + "@", false},
        {std::string(n, 'a') + "!", false},
        {dots + "@" + dots + "x", false},
        {"a@" + dots + "a", false},  // a 1-character suffix after a long domain
        {"a@" + dots + "com!", false},
        {dots + "a@" + dots + "com", true},
        {std::string(n, 'a') + "@" + std::string(n, 'b') + ".org", true},
        {std::string(n, '.') + "a@b.cd", true},
        {std::string(n, '-') + "@b.cd", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidEmailAddress(c.address), c.valid) << c.address.substr(0, 40);
}

TEST(EmailAddress, WhiteSpaceIsRemovedEverywhere) {
    const struct {
        const char* typed;
        const char* cleaned;
    } cases[] = {
        {"", ""},
        {" jo @ example . org ", "jo@example.org"},
        {"\tjo\r\n@exam\vple.o\frg", "jo@example.org"},
        {"   ", ""},
        {"jo@example.org", "jo@example.org"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithoutWhiteSpace(c.typed), c.cleaned) << c.typed;
    EXPECT_TRUE(IsValidEmailAddress(WithoutWhiteSpace("  jo . smith @ mail . example . org ")));
}

}  // namespace
