#include "msi/PackageSignature.h"

#include <gtest/gtest.h>

#include "common/HeldFile.h"
#include "msi/PackageSignatureDigest_win.h"
#include "packages/TestPackages.h"

namespace {

using MSIInstaller::TrustedPackageSigner;
using TestPackages::Package;

// The test prefix trusts the authority of "Corvane Test Publisher" and
// "Another Test Publisher" (tests/packages/make_test_pki.sh), no other. Wine's
// trust provider passes the altered packages: there the installer's own check
// alone refuses them.
TEST(PackageSignature, OnlyAnIntactPackageWithATrustedChainHasASigner) {
    const struct {
        const char16_t* package;
        const char16_t* signer;  // nullptr: none is trusted
    } cases[] = {
        {u"Corvane2013-3.0.12.345.msi", u"Corvane Test Publisher"},
        {u"Corvane2013-3.0.13.0.msi", u"Corvane Test Publisher"},
        {u"Corvane2013-OtherPublisher.msi", u"Another Test Publisher"},
        {u"Corvane2013-MetadataSigned.msi", u"Corvane Test Publisher"},
        {u"Corvane2013-Unsigned.msi", nullptr},
        {u"Corvane2013-Stranger.msi", nullptr},
        {u"Corvane2013-Impostor.msi", nullptr},  // the pinned name, but not from the trusted authority
        {u"Corvane2013-Altered.msi", nullptr},
        {u"Corvane2013-MetadataAltered.msi", nullptr},
        {u"NotAPackage.msi", nullptr},
        {u"Empty.msi", nullptr},
        {u"Missing.msi", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.package)));
        const auto signer = TrustedPackageSigner(Package(c.package));
        if (!c.signer) {
            EXPECT_FALSE(signer.has_value());
            continue;
        }
        ASSERT_TRUE(signer.has_value());
        EXPECT_EQ(signer->commonName, c.signer);
        EXPECT_EQ(signer->thumbprintHex.size(), 40u);
    }
}

TEST(PackageSignature, IsCheckedWhileThePackageIsHeldAgainstWrites) {
    const std::u16string path = Package(u"Corvane2013-3.0.12.345.msi");
    const auto held = Common::HoldFile(path);
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(TrustedPackageSigner(path).has_value());
}

// The digest leaves the signature's own stream out: a package hashes alike
// before and after signing, and differently once a byte is changed.
TEST(PackageSignature, AuthenticodeDigestCoversEveryStreamButTheSignature) {
    const char* sha256 = "2.16.840.1.101.3.4.2.1";
    const std::string signedDigest = MSIInstaller::PackageAuthenticodeDigest(Package(u"Corvane2013-3.0.12.345.msi"), sha256);
    ASSERT_EQ(signedDigest.size(), 32u);
    EXPECT_EQ(MSIInstaller::PackageAuthenticodeDigest(Package(u"unsigned\\Corvane2013-3.0.12.345.msi"), sha256),
              signedDigest);
    EXPECT_NE(MSIInstaller::PackageAuthenticodeDigest(Package(u"Corvane2013-Altered.msi"), sha256), signedDigest);
    EXPECT_EQ(MSIInstaller::PackageAuthenticodeDigest(Package(u"NotAPackage.msi"), sha256), "");
}

}  // namespace
