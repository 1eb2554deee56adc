#include "ScopedTrustedAuthority.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wincrypt.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace TestServer {

namespace {

std::vector<BYTE> DerFromPem(const std::string& pem) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
        return {};
    }
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr)) {
        return {};
    }
    der.resize(size);
    return der;
}

// Writes the store's changes out now, for the chain engine that opens the
// store on its own; an open context would otherwise hold them back.
void Commit(HCERTSTORE store) {
    if (!CertControlStore(store, 0, CERT_STORE_CTRL_COMMIT, nullptr)) {
        ADD_FAILURE() << "the user's Root store was not saved: " << GetLastError();
    }
}

}  // namespace

void CertificateStoreTraits::Close(Handle handle) noexcept { CertCloseStore(handle, 0); }

void CertificateContextTraits::Close(Handle handle) noexcept {
    CertFreeCertificateContext(static_cast<PCCERT_CONTEXT>(handle));
}

ScopedTrustedAuthority::ScopedTrustedAuthority(const std::string& pemFile) {
    std::ifstream in(pemFile, std::ios::binary);
    const std::string pem((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<BYTE> der = DerFromPem(pem);
    if (der.empty()) {
        ADD_FAILURE() << "no certificate in " << pemFile;
        return;
    }
    store_.Reset(CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root"));
    PCCERT_CONTEXT added = nullptr;
    if (!store_ || !CertAddEncodedCertificateToStore(store_.Get(), X509_ASN_ENCODING, der.data(),
                                                     static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING,
                                                     &added)) {
        ADD_FAILURE() << "the authority was not added to the user's Root store: " << GetLastError();
        return;
    }
    added_.Reset(added);
    Commit(store_.Get());
}

ScopedTrustedAuthority::~ScopedTrustedAuthority() {
    if (!added_) return;
    // Deleting frees the context it is given; ours stays ours to free.
    CertDeleteCertificateFromStore(CertDuplicateCertificateContext(static_cast<PCCERT_CONTEXT>(added_.Get())));
    Commit(store_.Get());
}

}  // namespace TestServer
