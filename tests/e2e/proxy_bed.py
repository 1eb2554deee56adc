"""The test bed of the proxy cases: a real forward proxy (Debian's squid,
started by tools/testproxy on a free loopback port) and the user's proxy
settings in the Wine prefix's registry, where Windows keeps them."""

import pathlib
import socket
import struct
import subprocess

from conftest import ROOT

# A name the proxy alone resolves (its own hosts file, to loopback): a request
# that reaches the reference server under this name has gone through the proxy.
PROXY_ONLY_HOST = "packages.corvane.test"

INTERNET_SETTINGS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"
CONNECTIONS = INTERNET_SETTINGS + r"\Connections"
# Flags of the connection settings record.
DIRECT, MANUAL_PROXY, SCRIPT = 0x1, 0x2, 0x4


def unused_port():
    """A loopback port nothing listens on (bound once, then given up)."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class ForwardProxy:
    """squid on a free loopback port; `auth="basic"` makes it demand a user
    name and password that the installer never has."""

    def __init__(self, state, auth=None):
        self.state = pathlib.Path(state)
        self.ctl = ["/usr/bin/python3", str(ROOT / "tools" / "testproxy" / "ctl.py")]
        command = [*self.ctl, "start", str(self.state), "--host", f"{PROXY_ONLY_HOST}=127.0.0.1"]
        if auth:
            command += ["--auth", auth]
        started = subprocess.run(command, capture_output=True, text=True)
        assert started.returncode == 0, f"the test proxy did not start: {started.stderr}"
        self.port = int((self.state / "port").read_text())

    @property
    def address(self):
        return f"127.0.0.1:{self.port}"

    def requests(self):
        """(method, address, result) of each request the proxy has finished, in
        order, from its access log; the result as squid logs it, such as
        "TCP_MISS/200" or "TCP_DENIED/407"."""
        log = self.state / "access.log"
        entries = []
        for line in (log.read_text().splitlines() if log.exists() else []):
            fields = line.split()
            if len(fields) >= 7 and fields[5] != "-":  # "-": a connection without a request
                entries.append((fields[5], fields[6], fields[3]))
        return entries

    def stop(self):
        subprocess.run([*self.ctl, "stop", str(self.state)], check=False, capture_output=True)


def connection_settings_record(flags, servers, bypass, script):
    """The DefaultConnectionSettings record: version, change counter, flags,
    then the server list, bypass list and script address, each as a length
    and its bytes, and the unused rest."""
    record = struct.pack("<III", 0x46, 1, flags)
    for text in (servers, bypass, script):
        data = text.encode("ascii")
        record += struct.pack("<I", len(data)) + data
    return record + bytes(32)


class UserProxySettings:
    """The current user's proxy settings in the prefix, written the way the
    Internet options of Windows write them: the connection settings record,
    which WinHTTP (and so the download engine) reads, and the ProxyEnable,
    ProxyServer, ProxyOverride and AutoConfigURL values, which WinInet (and so
    the SOAP client) reads. `remove` deletes them all again."""

    VALUES = ("ProxyEnable", "ProxyServer", "ProxyOverride", "AutoConfigURL")

    def __init__(self, wine):
        self.wine = wine

    def _reg(self, *args):
        result = self.wine.run("reg", *args, "/f")
        return result.returncode

    def apply(self, servers="", bypass="", script=""):
        flags = DIRECT | (MANUAL_PROXY if servers else 0) | (SCRIPT if script else 0)
        record = connection_settings_record(flags, servers, bypass, script).hex()
        assert self._reg("add", CONNECTIONS, "/v", "DefaultConnectionSettings", "/t", "REG_BINARY", "/d", record) == 0
        assert self._reg("add", INTERNET_SETTINGS, "/v", "ProxyEnable", "/t", "REG_DWORD",
                         "/d", "1" if servers else "0") == 0
        for value, text in (("ProxyServer", servers), ("ProxyOverride", bypass), ("AutoConfigURL", script)):
            if text:
                assert self._reg("add", INTERNET_SETTINGS, "/v", value, "/t", "REG_SZ", "/d", text) == 0
            else:
                self._reg("delete", INTERNET_SETTINGS, "/v", value)

    def remove(self):
        self._reg("delete", CONNECTIONS, "/v", "DefaultConnectionSettings")
        for value in self.VALUES:
            self._reg("delete", INTERNET_SETTINGS, "/v", value)
