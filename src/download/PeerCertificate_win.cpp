#include "download/PeerCertificate.h"

#include <curl/curl.h>

#include <windows.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>
#include <wincrypt.h>

#include <memory>
#include <string>

namespace Download {

namespace {

struct CertificateDeleter {
    void operator()(PCCERT_CONTEXT certificate) const { CertFreeCertificateContext(certificate); }
};
struct ChainDeleter {
    void operator()(PCCERT_CHAIN_CONTEXT chain) const { CertFreeCertificateChain(chain); }
};
struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct CurlTextDeleter {
    void operator()(char* text) const { curl_free(text); }
};

// The host of the URL being requested, without the brackets of an IPv6
// address; empty when there is none.
std::wstring RequestedHost(CURL* curl) {
    char* effective = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &effective) != CURLE_OK || !effective) return {};
    std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    char* part = nullptr;
    if (!url || curl_url_set(url.get(), CURLUPART_URL, effective, 0) != CURLUE_OK ||
        curl_url_get(url.get(), CURLUPART_HOST, &part, 0) != CURLUE_OK) {
        return {};
    }
    std::unique_ptr<char, CurlTextDeleter> host(part);
    std::string text = host.get();
    if (text.size() > 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// Looked up in the copy libcurl has loaded for Schannel rather than imported:
// an import would have the loader look for secur32.dll, no known DLL, before
// start-up has limited the search to the system folder.
SECURITY_STATUS QueryRemoteCertificate(CtxtHandle* context, PCCERT_CONTEXT* certificate) {
    using QueryFn = SECURITY_STATUS(SEC_ENTRY*)(PCtxtHandle, unsigned long, void*);
    const HMODULE sspi = GetModuleHandleW(L"secur32.dll");
    const auto query = sspi ? reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
                                  GetProcAddress(sspi, "QueryContextAttributesW")))
                            : nullptr;
    if (!query) return SEC_E_UNSUPPORTED_FUNCTION;
    return query(context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, certificate);
}

std::unique_ptr<const CERT_CONTEXT, CertificateDeleter> ServerCertificate(CURL* curl) {
    curl_tlssessioninfo* session = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_TLS_SSL_PTR, &session) != CURLE_OK || !session ||
        session->backend != CURLSSLBACKEND_SCHANNEL || !session->internals) {
        return nullptr;
    }
    PCCERT_CONTEXT certificate = nullptr;
    if (QueryRemoteCertificate(static_cast<CtxtHandle*>(session->internals), &certificate) != SEC_E_OK) {
        return nullptr;
    }
    return std::unique_ptr<const CERT_CONTEXT, CertificateDeleter>(certificate);
}

bool UsesTls(CURL* curl) {
    char* scheme = nullptr;
    return curl_easy_getinfo(curl, CURLINFO_SCHEME, &scheme) == CURLE_OK && scheme &&
           lstrcmpiA(scheme, "https") == 0;
}

}  // namespace

bool PeerCertificateTrusted(void* handle) {
    CURL* curl = static_cast<CURL*>(handle);
    if (!UsesTls(curl)) return true;
    const auto certificate = ServerCertificate(curl);
    std::wstring host = RequestedHost(curl);
    if (!certificate || host.empty()) return false;

    LPSTR serverUsage[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof(chainPara);
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = serverUsage;
    PCCERT_CHAIN_CONTEXT chainContext = nullptr;
    // The certificate's own store holds the intermediates the server sent.
    if (!CertGetCertificateChain(nullptr, certificate.get(), nullptr, certificate->hCertStore, &chainPara, 0, nullptr,
                                 &chainContext)) {
        return false;
    }
    const std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainDeleter> chain(chainContext);
    // Any flaw of the chain counts, whether or not the policy below reports it:
    // Wine's SSL policy passes a chain that ends without a trusted root.
    if (chain->TrustStatus.dwErrorStatus != CERT_TRUST_NO_ERROR) return false;

    SSL_EXTRA_CERT_CHAIN_POLICY_PARA sslPara{};
    sslPara.cbSize = sizeof(sslPara);
    sslPara.dwAuthType = AUTHTYPE_SERVER;
    sslPara.pwszServerName = host.data();
    CERT_CHAIN_POLICY_PARA policyPara{};
    policyPara.cbSize = sizeof(policyPara);
    policyPara.pvExtraPolicyPara = &sslPara;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof(status);
    return CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policyPara, &status) &&
           status.dwError == 0;
}

}  // namespace Download
