#!/usr/bin/env bash
# Throwaway signing authorities for the test packages, made afresh in DIR at
# build time; no key leaves the build tree.
#   root.pem/.der       the authority the Wine prefixes trust
#   publisher.*         "Corvane Test Publisher", the publisher the test build pins
#   other.*             another publisher under the same authority
#   stranger-root.pem   an authority nobody trusts, and under it
#   stranger.*          a publisher of its own name and
#   impostor.*          one with the pinned publisher's name
set -euo pipefail
dir="${1:?usage: make_test_pki.sh DIR}"
mkdir -p "$dir"
cd "$dir"
cat >extensions.cnf <<'CNF'
[authority]
basicConstraints=critical,CA:TRUE
keyUsage=critical,keyCertSign,cRLSign
subjectKeyIdentifier=hash
[signer]
basicConstraints=critical,CA:FALSE
keyUsage=critical,digitalSignature
extendedKeyUsage=codeSigning
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid
CNF
authority() {  # name, common name
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 -subj "/CN=$2" \
    -config extensions.cnf -extensions authority 2>/dev/null
  openssl x509 -in "$1.pem" -outform DER -out "$1.der"
}
signer() {  # name, common name, authority
  openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$2" 2>/dev/null
  openssl x509 -req -in "$1.csr" -CA "$3.pem" -CAkey "$3.key" -set_serial "0x$(openssl rand -hex 8)" \
    -out "$1.pem" -days 3650 -extfile extensions.cnf -extensions signer 2>/dev/null
}
authority root "Corvane Test Root"
authority stranger-root "Corvane Test Root"
signer publisher "Corvane Test Publisher" root
signer other "Another Test Publisher" root
signer stranger "Stranger Test Publisher" stranger-root
signer impostor "Corvane Test Publisher" stranger-root
