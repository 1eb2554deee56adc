#include "msi/PackageSignature.h"

#include <windows.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include "common/UniqueResource.h"
#include "common/WideText.h"
#include "msi/PackageSignatureDigest_win.h"

namespace MSIInstaller {

namespace {

// One WinVerifyTrust verification of a file; its state is kept for reading
// the signer until the object goes.
class TrustVerification {
public:
    TrustVerification(const std::u16string& path, DWORD revocationChecks) {
        file_.cbStruct = sizeof(file_);
        file_.pcwszFilePath = Common::AsWide(path);
        data_.cbStruct = sizeof(data_);
        data_.dwUIChoice = WTD_UI_NONE;
        data_.fdwRevocationChecks = revocationChecks;
        data_.dwUnionChoice = WTD_CHOICE_FILE;
        data_.pFile = &file_;
        data_.dwStateAction = WTD_STATEACTION_VERIFY;
        data_.dwProvFlags = WTD_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT;
        result_ = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
    }
    ~TrustVerification() {
        data_.dwStateAction = WTD_STATEACTION_CLOSE;
        WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
    }
    TrustVerification(const TrustVerification&) = delete;
    TrustVerification& operator=(const TrustVerification&) = delete;

    LONG Result() const { return result_; }
    CRYPT_PROVIDER_DATA* Provider() const { return WTHelperProvDataFromStateData(data_.hWVTStateData); }

private:
    GUID action_ = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_FILE_INFO file_{};
    WINTRUST_DATA data_{};
    LONG result_ = TRUST_E_NOSIGNATURE;
};

struct CertStoreTraits {
    using Handle = HCERTSTORE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle store) noexcept { CertCloseStore(store, 0); }
};
using CertStore = Common::UniqueResource<CertStoreTraits>;

struct CertificateTraits {
    using Handle = PCCERT_CONTEXT;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle certificate) noexcept { CertFreeCertificateContext(certificate); }
};
using Certificate = Common::UniqueResource<CertificateTraits>;

std::u16string Thumbprint(PCCERT_CONTEXT certificate) {
    BYTE hash[20];
    DWORD size = sizeof(hash);
    if (!CertGetCertificateContextProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash, &size)) return {};
    static const char16_t digits[] = u"0123456789abcdef";
    std::u16string text;
    for (DWORD i = 0; i < size; ++i) {
        text.push_back(digits[hash[i] >> 4]);
        text.push_back(digits[hash[i] & 0xF]);
    }
    return text;
}

std::u16string CommonName(PCCERT_CONTEXT certificate) {
    wchar_t name[256] = {};
    CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, const_cast<char*>(szOID_COMMON_NAME), name, 256);
    return reinterpret_cast<const char16_t*>(name);
}

// The signer's chain ends in a trusted root, nothing in it is invalid or
// revoked; only a revocation that could not be looked up is let pass.
bool ChainIsTrusted(const CRYPT_PROVIDER_SGNR& signer) {
    if (!signer.pChainContext || signer.dwError != 0) return false;
    const DWORD unknownRevocation = CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION;
    return (signer.pChainContext->TrustStatus.dwErrorStatus & ~unknownRevocation) == CERT_TRUST_NO_ERROR;
}

// The signer when the trust provider accepted the package and the installer's
// own checks of what it found agree: a trust provider that passes packages it
// has not checked (Wine's) cannot let one through alone, and on Windows a fault
// in either check is caught by the other.
std::optional<SignerIdentity> SignerOf(const TrustVerification& verification, const std::u16string& path) {
    if (verification.Result() != ERROR_SUCCESS) return std::nullopt;
    CRYPT_PROVIDER_DATA* provider = verification.Provider();
    if (!provider) return std::nullopt;
    CRYPT_PROVIDER_SGNR* signer = WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
    if (!signer || !ChainIsTrusted(*signer)) return std::nullopt;
    CRYPT_PROVIDER_CERT* leaf = WTHelperGetProvCertFromChain(signer, 0);
    if (!leaf || !leaf->pCert) return std::nullopt;
    const SIP_INDIRECT_DATA* content = provider->pPDSip ? provider->pPDSip->psIndirectData : nullptr;
    if (!content || !SignatureCoversPackage(provider->hMsg, leaf->pCert, *content, path)) return std::nullopt;
    return SignerIdentity{CommonName(leaf->pCert), Thumbprint(leaf->pCert)};
}

}  // namespace

void PrepareTrustChecks() {
    // A chain built for any trusted root makes the default chain engine open
    // every store a package's chain is built from, the roots first.
    const CertStore roots(CertOpenSystemStoreW(0, L"ROOT"));
    if (!roots) return;
    const Certificate any(CertEnumCertificatesInStore(roots.Get(), nullptr));
    if (!any) return;
    CERT_CHAIN_PARA parameters{};
    parameters.cbSize = sizeof(parameters);
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (CertGetCertificateChain(nullptr, any.Get(), nullptr, nullptr, &parameters, 0, nullptr, &chain)) {
        CertFreeCertificateChain(chain);
    }
}

std::optional<SignerIdentity> TrustedPackageSigner(const std::u16string& path) {
    {
        TrustVerification verification(path, WTD_REVOKE_WHOLECHAIN);
        if (verification.Result() != CERT_E_REVOCATION_FAILURE) return SignerOf(verification, path);
    }
    // Revocation could not be looked up: the rest of the check still decides.
    TrustVerification verification(path, WTD_REVOKE_NONE);
    return SignerOf(verification, path);
}

}  // namespace MSIInstaller
