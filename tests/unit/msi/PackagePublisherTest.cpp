#include "msi/PackagePublisher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using MSIInstaller::SignerIdentity;
using MSIInstaller::SignerIsPublisher;

TEST(PackagePublisher, NamesTheSignerByCommonNameOrThumbprint) {
    const SignerIdentity signer{u"Corvane Software", u"95272acd536a53e1b8799ed05d9c6625bb1361b3"};
    const struct {
        const char16_t* publisher;
        bool matches;
    } cases[] = {
        {u"Corvane Software", true},
        {u"corvane software", false},  // a subject name is compared exactly
        {u"Corvane", false},
        {u"Corvane Software Ltd", false},
        {u"95272ACD536A53E1B8799ED05D9C6625BB1361B3", true},
        {u"95 27 2a cd 53 6a 53 e1 b8 79 9e d0 5d 9c 66 25 bb 13 61 b3", true},
        {u"95:27:2A:CD:53:6A:53:E1:B8:79:9E:D0:5D:9C:66:25:BB:13:61:B3", true},
        {u"95272ACD536A53E1B8799ED05D9C6625BB1361B4", false},
        {u"95272ACD536A53E1B8799ED05D9C6625BB1361", false},  // too short
        {u"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SignerIsPublisher(signer, c.publisher), c.matches) << std::u16string(c.publisher).size();
    }
    // A signer without a readable name or thumbprint matches nothing.
    EXPECT_FALSE(SignerIsPublisher(SignerIdentity{}, u""));
    EXPECT_FALSE(SignerIsPublisher(SignerIdentity{u"", u""}, u"0000000000000000000000000000000000000000"));
}

TEST(PackagePublisher, PackageDigestTakesNamesByTheirLittleEndianBytes) {
    // The order of the streams of a package as osslsigncode and Windows hash
    // them: low byte first, the shorter of two names with a common start first.
    std::vector<std::u16string> names = {u"\x4840\x3b3f", u"\x0005SummaryInformation", u"\x4840\x3b3f\x4100",
                                         u"\x0140", u"\x0240", u"\x4140", u"ab", u"a"};
    std::sort(names.begin(), names.end(), MSIInstaller::ComesFirstInPackageDigest);
    const std::vector<std::u16string> expected = {u"\x0005SummaryInformation", u"\x0140", u"\x0240", u"\x4140",
                                                  u"\x4840\x3b3f", u"\x4840\x3b3f\x4100", u"a", u"ab"};
    EXPECT_EQ(names, expected);
}

}  // namespace
