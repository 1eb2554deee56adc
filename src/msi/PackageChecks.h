// The two ways a package is accepted, each saying in the installation log
// what it found: the digest a configured copy names, or else the trusted
// signature of the pinned publisher.
#pragma once

#include <optional>
#include <string_view>

#include "common/HeldFile.h"
#include "common/InstallationLog.h"
#include "msi/PackagePublisher.h"

namespace MSIInstaller {

// The held package's SHA-256 is the one `expectedHex` names. A text that is
// no digest names no package: nothing passes it.
bool MatchesExpectedDigest(Common::HeldFile& package, std::u16string_view expectedHex, Common::InstallationLog* log);

// The package's trusted signer (nullopt: unsigned, altered, or not chaining
// to a trusted root) is the publisher the build pins and, when the copy
// narrows it (non-empty `copyPublisher`), that one as well.
bool IsPinnedPublisher(const std::optional<SignerIdentity>& signer, std::u16string_view buildPublisher,
                       std::u16string_view copyPublisher, Common::InstallationLog* log);

}  // namespace MSIInstaller
