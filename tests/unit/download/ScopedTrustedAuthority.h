// Trusts a certificate authority for the current user while in scope: its
// certificate goes into the user's "Root" store and is taken out again at the
// end. In tests only, where the store is the private Wine prefix's. The
// system's chain engine may keep what it has seen for the rest of the
// process, so a test that needs the authority untrusted runs in a process of
// its own.
#pragma once

#include <string>

#include "common/UniqueResource.h"

namespace TestServer {

struct CertificateStoreTraits {
    using Handle = void*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept;  // CertCloseStore
};

struct CertificateContextTraits {
    using Handle = const void*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept;  // CertFreeCertificateContext
};

class ScopedTrustedAuthority {
public:
    // `pemFile` holds the authority's certificate in PEM form. Fails the test
    // when it cannot be read or added.
    explicit ScopedTrustedAuthority(const std::string& pemFile);
    ~ScopedTrustedAuthority();

    ScopedTrustedAuthority(const ScopedTrustedAuthority&) = delete;
    ScopedTrustedAuthority& operator=(const ScopedTrustedAuthority&) = delete;

private:
    Common::UniqueResource<CertificateStoreTraits> store_;
    Common::UniqueResource<CertificateContextTraits> added_;
};

}  // namespace TestServer
