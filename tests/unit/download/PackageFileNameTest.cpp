#include "download/PackageFileName.h"

#include <gtest/gtest.h>

namespace {

using Download::kFallbackPackageName;
using Download::kMaxPackageNameLength;
using Download::PackageFileName;

TEST(PackageFileName, AddressesGivePlainWindowsFileNames) {
    const struct {
        std::string url;
        std::u16string name;
    } cases[] = {
        {"http://h/packages/Corvane2013.msi", u"Corvane2013.msi"},
        // Signed links of storage services: the query is no part of the name.
        {"https://cdn.example.com/p/Corvane2013.msi?Expires=1&Signature=a/b%2Fc&Key-Pair-Id=K", u"Corvane2013.msi"},
        {"http://h/Corvane2013.msi#part", u"Corvane2013.msi"},
        {"http://h/Corvane%20Setup.msi", u"Corvane Setup.msi"},
        {"http://h/Setup%E3%83%86.msi", u"Setup\u30C6.msi"},  // UTF-8, percent-encoded
        {"http://h/Bad%FF.msi", u"Bad\uFFFD.msi"},            // not UTF-8
        {"http://h/a%2Fb%5Cc%3A%2A%3F%22%3C%3E%7C.msi", u"abc.msi"},  // forbidden characters
        {"http://h/ctl%01%1F.msi", u"ctl.msi"},
        {"http://h/trailing.msi.%20.", u"trailing.msi"},
        {"http://h/%zz.msi", u"%zz.msi"},  // not an escape: kept as it stands
        {"http://h/download.asp?lang=en", u"download.asp"},
        // Nothing usable: the fixed name.
        {"http://h/dir/", kFallbackPackageName},
        {"http://h", kFallbackPackageName},
        {"http://h?x=1", kFallbackPackageName},
        {"http://h/%2E%2E", kFallbackPackageName},
        {"http://h/..", kFallbackPackageName},
        {"http://h/CON", kFallbackPackageName},
        {"http://h/nul.msi", kFallbackPackageName},
        {"http://h/com1.txt", kFallbackPackageName},
        {"http://h/console.msi", u"console.msi"},
        {"", kFallbackPackageName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PackageFileName(c.url), c.name) << c.url;
    }
}

TEST(PackageFileName, LongNamesAreCappedKeepingTheExtension) {
    const std::u16string name = PackageFileName("http://h/" + std::string(500, 'a') + ".msi");
    EXPECT_EQ(name.size(), kMaxPackageNameLength);
    EXPECT_EQ(name.substr(name.size() - 4), u".msi");

    // A cut never leaves half a surrogate pair behind.
    std::string url = "http://h/";
    for (int i = 0; i < 200; ++i) url += "%F0%9F%93%A6";  // U+1F4E6, two UTF-16 units
    const std::u16string emoji = PackageFileName(url);
    ASSERT_FALSE(emoji.empty());
    EXPECT_LE(emoji.size(), kMaxPackageNameLength);
    EXPECT_TRUE(emoji.back() < 0xD800 || emoji.back() > 0xDBFF);
}

}  // namespace
