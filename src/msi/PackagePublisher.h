// Whether the signer of a package is the publisher a build or a configured
// copy names. A publisher is named either by the common name of the signer
// certificate's subject, exactly, or by that certificate's SHA-1 thumbprint:
// forty hexadecimal digits of either case, blanks and colons between them
// allowed as certificate viewers show them.
#pragma once

#include <string>
#include <string_view>

namespace MSIInstaller {

struct SignerIdentity {
    std::u16string commonName;
    std::u16string thumbprintHex;  // SHA-1 of the certificate, 40 hexadecimal digits
};

// An empty publisher names nobody.
bool SignerIsPublisher(const SignerIdentity& signer, std::u16string_view publisher);

// The order in which an Authenticode digest of a Windows Installer package
// takes the streams and storages of one storage: by the bytes of their
// UTF-16LE names, the terminating zero included.
bool ComesFirstInPackageDigest(std::u16string_view a, std::u16string_view b);

}  // namespace MSIInstaller
