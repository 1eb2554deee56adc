// A second look at the server's certificate, once the connection stands and
// before any request goes out on it.
#pragma once

namespace Download {

// True when the transfer's current connection is no TLS connection, or when
// the server's certificate chains to an authority the system trusts and is
// made out for the host of the URL being requested. `curl` is the transfer's
// easy handle; called from its CURLOPT_PREREQFUNCTION.
//
// Windows: checked with the system's chain engine and SSL policy. libcurl
// leaves that to Schannel, and Wine's Schannel accepts any certificate;
// the installer must not send its request to, nor take a package from, a
// server it cannot trust, whichever Schannel it runs on.
// Native build: always true; libcurl over OpenSSL refuses such a server in
// the handshake itself.
bool PeerCertificateTrusted(void* curl);

}  // namespace Download
