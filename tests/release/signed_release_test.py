#!/usr/bin/env python3
"""The signed release and its configured copies.

    signed_release_test.py INSTALLER.exe WINE_ENV WINE_DIR PKI_DIR [CA_FILE]

PKI_DIR holds the throwaway authorities (make_test_pki.sh): its "other"
publisher plays the partner. CA_FILE is the authority of the installer's own
signer when that is not the system's.

The release installer carries a valid Authenticode signature. "-build" appends
its stamp block after the signature's certificate table, outside the bytes the
signature covers, so the copy's signature no longer verifies: the partner
re-signs the copy (README, "Signed release"). After re-signing, the signature
verifies and the copy still finds its stamp block, which now lies before the
new certificate table.
"""
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile

MARKER = b"\x44" * 20


def verify(path, ca_file):
    command = ["osslsigncode", "verify", "-in", str(path)]
    if ca_file:
        command += ["-CAfile", ca_file]
    result = subprocess.run(command, capture_output=True, text=True)
    return result.returncode == 0 and "Signature verification: ok" in result.stdout


def stamp_entries(data):
    """The entries of the stamp block nearest the end, nearest the count first."""
    marker = data.rfind(MARKER)
    if marker < 4:
        return None
    (count,) = struct.unpack_from("<i", data, marker - 4)
    entries, end = [], marker - 4
    for _ in range(count):
        (length,) = struct.unpack_from("<i", data, end - 4)
        start = end - 4 - length
        if length <= 0 or start < 0:
            break
        entries.append(data[start:end - 4].decode("utf-16-le").rstrip("\0"))
        end = start
    return entries


def check(condition, message):
    if not condition:
        sys.exit("FAILED: " + message)
    print("ok: " + message)


def main():
    installer, wine_env, wine_dir, pki = sys.argv[1:5]
    ca_file = sys.argv[5] if len(sys.argv) > 5 else ""
    pki = pathlib.Path(pki)
    check(verify(installer, ca_file), "the release installer's signature verifies")
    with tempfile.TemporaryDirectory(prefix="corvane-signed-") as temp:
        folder = pathlib.Path(temp)
        shutil.copy(installer, folder / "CorvaneInstaller.exe")
        try:
            built = subprocess.run([wine_env, "exec", wine_dir, "CorvaneInstaller.exe", "-build", "partner.exe",
                                    "WID=7", "DOWNLOAD_MSI_VERSION=1.0.0.0"], cwd=folder,
                                   stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
        finally:
            subprocess.run([wine_env, "stop", wine_dir], check=False)
        check(built.returncode == 0, "-build makes a configured copy")
        release = (folder / "CorvaneInstaller.exe").read_bytes()
        copy = (folder / "partner.exe").read_bytes()
        check(copy.startswith(release) and len(copy) > len(release),
              "the copy is the signed installer with its stamp block after it")
        check(not verify(folder / "partner.exe", ca_file),
              "the copy's signature no longer verifies: the stamp lies outside the signed bytes")

        subprocess.run(["osslsigncode", "sign", "-certs", str(pki / "other.pem"), "-key", str(pki / "other.key"), "-h", "sha256",
                        "-n", "Corvane 2013 Installer", "-in", str(folder / "partner.exe"),
                        "-out", str(folder / "partner-signed.exe")], check=True, capture_output=True)
        check(verify(folder / "partner-signed.exe", str(pki / "root.pem")),
              "the re-signed copy's signature verifies")
        resigned = (folder / "partner-signed.exe").read_bytes()
        check(stamp_entries(resigned) == ["DOWNLOAD_MSI_VERSION=1.0.0.0", "WID=7"],
              "the re-signed copy still finds its stamp block")


if __name__ == "__main__":
    main()
