// Options every request of the installer carries, the package transfer's as
// much as the log poster's: the route the proxy rules chose, and the TLS
// settings.
#pragma once

#include "download/ProxyRules.h"

namespace Download {

// CURLOPT_PROXY is always set, empty for a direct connection, so that libcurl
// never takes a proxy of its own from the environment. A proxy that demands
// sign-in gets the current Windows user's credentials (Negotiate or NTLM,
// which libcurl takes from SSPI for the empty user name and password).
void SetRoute(void* curl, const ProxyRoute& route);

// Revocation is checked where a certificate names a place to check it, but a
// revocation server that cannot be reached (blocked by many company
// networks) does not fail the request, as in the browsers. Only http and
// https are spoken, whatever an address says.
void SetTransportSecurity(void* curl);

// A CURLOPT_PREREQFUNCTION for a request whose data is its own easy handle:
// the request goes out only to a server PeerCertificateTrusted accepts.
int RequireTrustedPeer(void* curl, char* primaryIp, char* localIp, int primaryPort, int localPort);

}  // namespace Download
