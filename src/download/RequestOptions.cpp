#include "download/RequestOptions.h"

#include <curl/curl.h>

#include "download/PeerCertificate.h"

namespace Download {

void SetRoute(void* curl, const ProxyRoute& route) {
    curl_easy_setopt(curl, CURLOPT_PROXY, route.proxy.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_NEGOTIATE | CURLAUTH_NTLM));
    curl_easy_setopt(curl, CURLOPT_PROXYUSERPWD, ":");
}

void SetTransportSecurity(void* curl) {
    curl_easy_setopt(curl, CURLOPT_SSL_OPTIONS, static_cast<long>(CURLSSLOPT_REVOKE_BEST_EFFORT));
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
}

int RequireTrustedPeer(void* curl, char*, char*, int, int) {
    return PeerCertificateTrusted(curl) ? CURL_PREREQFUNC_OK : CURL_PREREQFUNC_ABORT;
}

}  // namespace Download
