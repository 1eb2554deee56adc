#include "msi/PackageChecks.h"

#include <string>

#include "common/Utf8Text.h"

namespace MSIInstaller {

bool MatchesExpectedDigest(Common::HeldFile& package, std::u16string_view expectedHex, Common::InstallationLog* log) {
    const std::optional<Common::Sha256Digest> wanted = Common::ParseSha256(expectedHex);
    if (!wanted) {
        Common::LogLine(log, "package check: the configured digest is no SHA-256: refused");
        return false;
    }
    const std::optional<Common::Sha256Digest> found = package.Sha256();
    const bool matches = found == wanted;
    if (log) {
        log->Line("package check: SHA-256 " + (found ? Common::Sha256Text(*found) : std::string("unreadable")) +
                  (matches ? ", as configured: accepted" : ", configured " + Common::Sha256Text(*wanted) + ": refused"));
    }
    return matches;
}

bool IsPinnedPublisher(const std::optional<SignerIdentity>& signer, std::u16string_view buildPublisher,
                       std::u16string_view copyPublisher, Common::InstallationLog* log) {
    if (!signer) {
        Common::LogLine(log, "package check: no trusted signature (unsigned, altered or untrusted chain): refused");
        return false;
    }
    const bool built = SignerIsPublisher(*signer, buildPublisher);
    const bool narrowed = copyPublisher.empty() || SignerIsPublisher(*signer, copyPublisher);
    if (log) {
        std::string line = "package check: signed by \"" + Common::ToUtf8(signer->commonName) + "\" (SHA-1 " +
                           Common::ToUtf8(signer->thumbprintHex) + ")";
        if (!built) {
            line += ", not the publisher \"" + Common::ToUtf8(buildPublisher) + "\": refused";
        } else if (!narrowed) {
            line += ", not the copy's publisher \"" + Common::ToUtf8(copyPublisher) + "\": refused";
        } else {
            line += ": accepted";
        }
        log->Line(line);
    }
    return built && narrowed;
}

}  // namespace MSIInstaller
