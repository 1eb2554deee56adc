#!/usr/bin/python3
"""Starts and stops a real forward proxy (Debian's squid) for tests, on a free
loopback port with a generated configuration.

  ctl.py start STATE_DIR [--auth basic|ntlm] [--host NAME=ADDRESS]...
  ctl.py stop STATE_DIR

`start` prints the port and writes it to STATE_DIR/port. Names given with
--host are resolved by the proxy alone (its own hosts file; it asks no name
server), so a client that reaches such a name has really gone through the
proxy. --auth basic makes the proxy demand a user name and password
(answering 407 with only the Basic scheme); --auth ntlm demands Windows
sign-in and accepts any NTLM credentials (squid's fake NTLM helper). The
access log (STATE_DIR/access.log) records each request with its result code.
Like the reference server, squid ends when the caller of `start` (for
instance ctest) is gone, should `stop` never come."""

import argparse
import os
import pathlib
import shutil
import signal
import socket
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "refserver"))
from ctl import alive, read_pid  # noqa: E402  the reference server's process helpers

SQUID = "/usr/sbin/squid"
HELPERS = pathlib.Path("/usr/lib/squid")
START_TIMEOUT = 30.0
STOP_TIMEOUT = 10.0


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def configuration(state, port, auth):
    lines = [
        f"http_port 127.0.0.1:{port}",
        f"pid_filename {state}/squid.pid",
        f"cache_log {state}/cache.log",
        f"access_log stdio:{state}/access.log squid",
        "logfile_rotate 0",
        f"hosts_file {state}/hosts",
        # Only the hosts file answers: an unknown name fails at the proxy.
        "dns_nameservers 127.0.0.1",
        "dns_timeout 2 seconds",
        "cache deny all",
        "cache_mem 8 MB",
        f"coredump_dir {state}",
        "shutdown_lifetime 0 seconds",
        "visible_hostname corvane-test-proxy",
        "forwarded_for delete",
        "via off",
        "pinger_enable off",
        "acl CONNECT method CONNECT",
    ]
    if auth == "basic":
        lines += [
            f"auth_param basic program {HELPERS}/basic_ncsa_auth {state}/passwords",
            "auth_param basic realm Corvane test proxy",
            "acl signed_in proxy_auth REQUIRED",
            "http_access allow signed_in",
        ]
    elif auth == "ntlm":
        lines += [
            f"auth_param ntlm program {HELPERS}/ntlm_fake_auth",
            "auth_param ntlm children 2",
            "acl signed_in proxy_auth REQUIRED",
            "http_access allow signed_in",
        ]
    else:
        lines.append("http_access allow localhost")
    lines.append("http_access deny all")
    return "\n".join(lines) + "\n"


def listening(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.5):
            return True
    except OSError:
        return False


def start(state, arguments):
    stop(state)
    if state.exists():
        shutil.rmtree(state)
    state.mkdir(parents=True)
    # squid drops to its own user for its workers, which write the logs.
    state.chmod(0o777)
    hosts = ["127.0.0.1 localhost"]
    for entry in arguments.host:
        name, _, address = entry.partition("=")
        hosts.append(f"{address} {name}")
    (state / "hosts").write_text("\n".join(hosts) + "\n")
    # A user the Basic helper knows; the installer never has its password.
    (state / "passwords").write_text("corvane:$apr1$8bkJwPZ1$d/1wP1ZtzkjYQbGC0dgyD1\n")
    port = free_port()
    (state / "squid.conf").write_text(configuration(state, port, arguments.auth))

    watcher = (f"while kill -0 {os.getppid()} 2>/dev/null && kill -0 $1 2>/dev/null; do sleep 1; done; "
               "kill $1 2>/dev/null")
    with open(state / "squid.out", "ab") as log:
        process = subprocess.Popen([SQUID, "-N", "-d", "1", "-f", str(state / "squid.conf")],
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                   close_fds=True, start_new_session=True)
        subprocess.Popen(["/bin/sh", "-c", watcher, "watch", str(process.pid)], stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    (state / "pid").write_text(str(process.pid))
    deadline = time.monotonic() + START_TIMEOUT
    while time.monotonic() < deadline:
        if process.poll() is not None:
            print(f"testproxy: squid ended at once; see {state / 'squid.out'}", file=sys.stderr)
            return 1
        if listening(port):
            (state / "port").write_text(str(port))
            print(port)
            return 0
        time.sleep(0.1)
    process.kill()
    print("testproxy: squid did not start in time", file=sys.stderr)
    return 1


def stop(state):
    pid = read_pid(state)
    if pid is None or not alive(pid):
        return 0
    os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + STOP_TIMEOUT
    while time.monotonic() < deadline and alive(pid):
        time.sleep(0.1)
    if alive(pid):
        os.kill(pid, signal.SIGKILL)
    (state / "pid").unlink(missing_ok=True)
    (state / "port").unlink(missing_ok=True)
    return 0


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("action", choices=("start", "stop"))
    parser.add_argument("state")
    parser.add_argument("--auth", choices=("basic", "ntlm"))
    parser.add_argument("--host", action="append", default=[], metavar="NAME=ADDRESS")
    arguments = parser.parse_args(argv)
    state = pathlib.Path(arguments.state).resolve()
    return start(state, arguments) if arguments.action == "start" else stop(state)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
