// (Windows) The Authenticode signature of a Windows Installer package: who
// signed it, when the signature is valid for the package as it is and its
// signer's chain ends in a trusted root.
#pragma once

#include <optional>
#include <string>

#include "msi/PackagePublisher.h"

namespace MSIInstaller {

// The signer of the package at `path`; nullopt when the package is unsigned,
// altered since it was signed, or signed by a certificate that does not chain
// to a trusted root or has been revoked. Revocation is checked where its
// answer can be had; a signature whose revocation cannot be looked up
// (offline, no distribution point) still counts.
std::optional<SignerIdentity> TrustedPackageSigner(const std::u16string& path);

// Readies what every check needs whatever the package: the trusted roots,
// which Wine imports from the host's certificates at their first use in a
// process, and the chain engine with the stores it builds chains from (each a
// fifth of a second or more under Wine). Run ahead, for instance while the
// user is on the wizard's pages, it takes that time off the first check; the
// check itself is the same with or without it.
void PrepareTrustChecks();

}  // namespace MSIInstaller
