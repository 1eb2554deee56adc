// The package checks' verdicts and what they write into the log.
#include "msi/PackageChecks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using MSIInstaller::SignerIdentity;

class RecordingLog : public Common::InstallationLog {
public:
    void Line(std::string_view text) noexcept override { lines.emplace_back(text); }
    std::u16string Path() const override { return {}; }
    std::vector<std::string> lines;
};

class FakeHeldFile : public Common::HeldFile {
public:
    explicit FakeHeldFile(std::optional<Common::Sha256Digest> digest) : digest_(digest) {}
    std::optional<Common::Sha256Digest> Sha256() override { return digest_; }

private:
    std::optional<Common::Sha256Digest> digest_;
};

constexpr char16_t kAbcDigest[] = u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(PackageChecksTest, TheDigestDecidesAndTheLogSaysWhatWasFound) {
    const auto abc = Common::Sha256Of("abc");
    const struct {
        const char* name;
        std::optional<Common::Sha256Digest> found;
        const char16_t* expected;
        bool accepted;
        const char* logged;
    } cases[] = {
        {"the configured package", abc, kAbcDigest, true,
         "SHA-256 ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad, as configured: accepted"},
        {"in capitals", abc, u"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD", true, "accepted"},
        {"another package", Common::Sha256Of("abd"), kAbcDigest, false,
         ", configured ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad: refused"},
        {"an unreadable file", std::nullopt, kAbcDigest, false, "SHA-256 unreadable"},
        {"a digest that is none", abc, u"ba7816bf", false, "is no SHA-256: refused"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHeldFile file(c.found);
        RecordingLog log;
        EXPECT_EQ(MSIInstaller::MatchesExpectedDigest(file, c.expected, &log), c.accepted);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_NE(log.lines[0].find(c.logged), std::string::npos) << log.lines[0];
        EXPECT_EQ(MSIInstaller::MatchesExpectedDigest(file, c.expected, nullptr), c.accepted);
    }
}

TEST(PackageChecksTest, TheSignerMustBeThePinnedPublisherAndTheCopysAndTheLogNamesIt) {
    const SignerIdentity corvane{u"Corvane Software Ltd", u"00112233445566778899AABBCCDDEEFF00112233"};
    const struct {
        const char* name;
        std::optional<SignerIdentity> signer;
        const char16_t* copyPublisher;
        bool accepted;
        const char* logged;
    } cases[] = {
        {"the publisher", corvane, u"", true,
         "signed by \"Corvane Software Ltd\" (SHA-1 00112233445566778899AABBCCDDEEFF00112233): accepted"},
        {"narrowed to its thumbprint", corvane, u"00:11:22:33:44:55:66:77:88:99:aa:bb:cc:dd:ee:ff:00:11:22:33", true,
         ": accepted"},
        {"narrowed to another", corvane, u"Partner Ltd", false, "not the copy's publisher \"Partner Ltd\": refused"},
        {"another signer", SignerIdentity{u"Mallory", u"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"}, u"", false,
         "signed by \"Mallory\" (SHA-1 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF), not the publisher"},
        {"another signer the copy names", SignerIdentity{u"Mallory", u"FF"}, u"Mallory", false,
         "not the publisher \"Corvane Software Ltd\": refused"},
        {"no trusted signature", std::nullopt, u"", false, "no trusted signature"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLog log;
        EXPECT_EQ(MSIInstaller::IsPinnedPublisher(c.signer, u"Corvane Software Ltd", c.copyPublisher, &log), c.accepted);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_NE(log.lines[0].find(c.logged), std::string::npos) << log.lines[0];
        EXPECT_EQ(MSIInstaller::IsPinnedPublisher(c.signer, u"Corvane Software Ltd", c.copyPublisher, nullptr),
                  c.accepted);
    }
}

}  // namespace
