#include "common/AnsiText.h"
#include "common/TextUtil.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiText, RoundTripsAsciiAndKeepsUnicodeWhereTheCodePageCan) {
    EXPECT_EQ(Common::ToAnsi(u"C:\\texts.xls"), "C:\\texts.xls");
    EXPECT_EQ(Common::FromAnsi("C:\\texts.xls"), u"C:\\texts.xls");
    EXPECT_EQ(Common::ToAnsi(u""), "");
#ifndef _WIN32
    // Natively the "ANSI" page is UTF-8: everything survives, surrogates included.
    const std::u16string text = u"Gr\u00fc\u00dfe \u65e5\u672c \U0001F600";
    EXPECT_EQ(Common::FromAnsi(Common::ToAnsi(text)), text);
    EXPECT_EQ(Common::FromAnsi("\xff\xc3"), u"\ufffd\ufffd");  // malformed bytes
    EXPECT_EQ(Common::ToAnsi(u"\xd800x"), "\xef\xbf\xbdx");      // a lone surrogate
#endif
}

TEST(TextUtil, CasesAndNumbers) {
    EXPECT_EQ(Common::ToUpperAscii(u"download_link=\u00e9"), u"DOWNLOAD_LINK=\u00e9");
    EXPECT_EQ(Common::ToLowerAscii(u"-BuILD"), u"-build");
    EXPECT_EQ(Common::DecimalText(std::uint64_t{0}), u"0");
    EXPECT_EQ(Common::DecimalText(std::uint64_t{18446744073709551615ull}), u"18446744073709551615");
    EXPECT_EQ(Common::DecimalText(std::int64_t{-42}), u"-42");
}

}  // namespace
