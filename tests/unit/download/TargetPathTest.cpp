#include "download/TargetPath.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Download::JoinTargetPath;
using Download::UrlLeafName;

const std::u16string kSep(1, static_cast<char16_t>(std::filesystem::path::preferred_separator));

TEST(TargetPath, LeafNameIsTheLastElementOfTheUrl) {
    const struct {
        std::u16string url;
        std::u16string name;
    } cases[] = {
        {u"http://h/packages/CorvaneSetup.msi", u"CorvaneSetup.msi"},
        {u"http://h/get.asp?file=a/b.msi&x=1", u"b.msi&x=1"},  // the last "/" wins, in the query too
        {u"http://h/download.asp?lang=en", u"download.asp?lang=en"},
        {u"http://h/dir/", u"."},
        {u"http://h", u"h"},
        {u"http://h/a\\b.msi", u"a\\b.msi"},  // with a "/", backslashes are part of the name
        {u"c:\\dl\\package.msi", u"package.msi"},
        {u"host:port", u"port"},
        {u"ends-with:", u""},
        {u"plain", u"plain"},
        {u"http://h/Corvane%20Setup.msi", u"Corvane%20Setup.msi"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlLeafName(c.url), c.name) << std::string(c.url.begin(), c.url.end());
    }
}

TEST(TargetPath, JoinPutsOneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(JoinTargetPath(u"dl", u"a.msi"), u"dl" + kSep + u"a.msi");
    EXPECT_EQ(JoinTargetPath(u"dl" + kSep, u"a.msi"), u"dl" + kSep + u"a.msi");
    EXPECT_EQ(JoinTargetPath(u"dl/", u"a.msi"), u"dl/a.msi");
    EXPECT_EQ(JoinTargetPath(u"", u"a.msi"), u"a.msi");
}

TEST(TargetPath, WidensEachByteWithoutDecoding) {
    EXPECT_EQ(Download::WidenBytes("a\xe9%20"), std::u16string(u"a\u00e9%20"));
}

}  // namespace
