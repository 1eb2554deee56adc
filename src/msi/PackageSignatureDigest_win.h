// (Windows) The installer's own check that a package's Authenticode signature
// covers the package, made with the cryptographic message and structured
// storage interfaces themselves after the trust provider has answered. Wine's
// trust provider neither checks the signed message's digest nor compares the
// package with the digest the signature names; on Windows this check is a
// second, independent one.
#pragma once

#include <string>

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <mssip.h>

namespace MSIInstaller {

// True when the message carries a valid signature of `signer` over its signed
// attributes, whose message digest is that of the signed content, and the
// digest in that content is the Authenticode digest of the package at `path`.
bool SignatureCoversPackage(HCRYPTMSG message, PCCERT_CONTEXT signer, const SIP_INDIRECT_DATA& content,
                            const std::u16string& path);

// The Authenticode digest of a package: every stream of every storage in the
// signing order, a storage's class id after its elements, the signature's own
// streams left out. A package signed together with the digest of its metadata
// (the stream MsiDigitalSignatureEx) has that stream's bytes first, as stored:
// Windows takes them so and does not compute the metadata digest again. Empty
// when the package cannot be read or the algorithm is unknown.
std::string PackageAuthenticodeDigest(const std::u16string& path, const char* digestAlgorithmOid);

}  // namespace MSIInstaller
