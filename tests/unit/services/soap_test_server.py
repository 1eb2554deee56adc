#!/usr/bin/python3
"""A loopback SOAP server for the tests of the SOAP client under Wine.

    soap_test_server.py start DIR   serve in the background; DIR/port names the
                                    port, DIR/pid the process
    soap_test_server.py stop DIR    stop that server
    soap_test_server.py serve DIR   serve in the foreground

The first path segment chooses the answer: "/Service.asmx" and
"/DesktopService.asmx" answer correctly, "/<mode>/<anything>" answers in that
mode (see answer() and Handler.handle()). Every request is recorded byte for byte; "GET /_last"
returns the last one and "GET /_count" how many there were. The server stops
by itself after an hour, should nobody stop it."""

import os
import pathlib
import re
import signal
import socket
import socketserver
import subprocess
import sys
import threading
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import soap_canned  # noqa: E402

LIFETIME_SECONDS = 3600
NAMESPACE_PATTERN = re.compile(rb'<(\w+)\s+xmlns="([^"]*)"')


class Journal:
    def __init__(self):
        self._lock = threading.Lock()
        self._requests = []

    def add(self, raw):
        with self._lock:
            self._requests.append(raw)

    def last(self):
        with self._lock:
            return self._requests[-1] if self._requests else b""

    def count(self):
        with self._lock:
            return len(self._requests)


def operation_of(body):
    """The wrapper element of a request envelope and its namespace."""
    after_body = body.split(b"<soap:Body>", 1)[-1]
    match = NAMESPACE_PATTERN.search(after_body)
    if not match:
        return "", ""
    return match.group(1).decode("ascii", "replace"), match.group(2).decode("utf-8", "replace")


def answer(mode, operation, namespace):
    """(status, body) for a mode; status None drops the connection."""
    canned = soap_canned
    correct = canned.answer_for(operation, namespace) or canned.wrong_body(namespace)
    modes = {
        "ok": lambda: (200, correct),
        "fault": lambda: (500, canned.fault(actor="http://127.0.0.1/DesktopService.asmx",
                                            detail="<Code xmlns='urn:test'>42</Code>")),
        "garbage500": lambda: (500, b"Internal Server Error <<<&&&"),
        "html500": lambda: (500, canned.HTML_PAGE),
        "wrongbody": lambda: (200, canned.wrong_body(namespace)),
        "html": lambda: (200, canned.HTML_PAGE),
        "empty": lambda: (200, b""),
        "status404": lambda: (404, canned.HTML_PAGE),
        "status503": lambda: (503, correct),
        "nil": lambda: (200, canned.nil_version_response(namespace)),
        "pieces": lambda: (200, canned.pieces(namespace)),
        "mustunderstand": lambda: (200, canned.must_understand(operation, namespace)),
        "nested": lambda: (200, canned.deep_nesting(operation, namespace)),
        "entities": lambda: (200, canned.entity_expansion(namespace)),
        "external": lambda: (200, canned.external_entity(namespace, "file:///etc/hostname")),
        "huge": lambda: (200, canned.huge(operation, namespace)),
        "utf16": lambda: (200, correct.decode("utf-8").replace('encoding="utf-8"', 'encoding="utf-16"')
                          .encode("utf-16")),
        "version-missing-build2": lambda: (200, canned.version_response(
            namespace, canned.version_document(build2=None))),
    }
    return modes[mode]() if mode in modes else (404, canned.HTML_PAGE)


class Handler(socketserver.StreamRequestHandler):
    timeout = 60

    def handle(self):
        try:
            head = b""
            while not head.endswith(b"\r\n\r\n"):
                line = self.rfile.readline(65537)
                if not line:
                    return
                head += line
            lines = head.decode("latin-1").split("\r\n")
            method, target, _ = (lines[0].split(" ") + ["", ""])[:3]
            length = 0
            for line in lines[1:]:
                name, _, value = line.partition(":")
                if name.strip().lower() == "content-length":
                    length = int(value.strip() or 0)
            body = self.rfile.read(length) if length else b""
        except (OSError, ValueError):
            return
        if method == "GET" and target in ("/_last", "/_count"):
            journal = self.server.journal
            self.respond(200, journal.last() if target == "/_last" else str(journal.count()).encode(),
                         "application/octet-stream")
            return
        self.server.journal.add(head + body)
        segments = [part for part in target.split("?")[0].split("/") if part]
        mode = segments[0] if len(segments) > 1 else "ok"
        if mode == "slow":
            time.sleep(2)
            mode = "ok"
        if mode == "drop":
            self.connection.shutdown(socket.SHUT_RDWR)
            return
        if mode == "truncated":
            status, payload = answer("ok", *operation_of(body))
            self.respond(status, payload[: len(payload) // 2], length=len(payload))
            return
        self.respond(*answer(mode, *operation_of(body)))

    def respond(self, status, payload, content_type="text/xml; charset=utf-8", length=None):
        reason = {200: "OK", 404: "Not Found", 500: "Internal Server Error", 503: "Service Unavailable"}[status]
        head = (f"HTTP/1.1 {status} {reason}\r\nContent-Type: {content_type}\r\n"
                f"Content-Length: {len(payload) if length is None else length}\r\nConnection: close\r\n\r\n")
        try:
            self.wfile.write(head.encode("latin-1") + payload)
            self.wfile.flush()
        except OSError:
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self):
        super().__init__(("127.0.0.1", 0), Handler)
        self.journal = Journal()


def serve(directory):
    directory = pathlib.Path(directory)
    directory.mkdir(parents=True, exist_ok=True)
    server = Server()
    signal.signal(signal.SIGTERM, lambda *_: threading.Thread(target=server.shutdown).start())
    threading.Timer(LIFETIME_SECONDS, server.shutdown).start()
    (directory / "pid").write_text(str(os.getpid()))
    port_file = directory / "port"
    port_file.with_suffix(".tmp").write_text(str(server.server_address[1]))
    port_file.with_suffix(".tmp").replace(port_file)  # the port appears whole
    try:
        server.serve_forever(poll_interval=0.2)
    finally:
        server.server_close()
        for name in ("port", "pid"):
            try:
                (directory / name).unlink()
            except FileNotFoundError:
                pass
        os._exit(0)  # the lifetime timer must not keep the process


def our_server(directory, pid):
    """Whether `pid` is still this directory's server (not a reused pid)."""
    try:
        command = pathlib.Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")
    except OSError:
        return False
    return any(part.endswith(b"soap_test_server.py") for part in command) and \
        str(directory).encode() in command


def stop(directory):
    directory = pathlib.Path(directory).resolve()
    try:
        pid = int((directory / "pid").read_text())
    except (OSError, ValueError):
        return 0
    if our_server(directory, pid):
        os.kill(pid, signal.SIGTERM)
        for _ in range(50):
            if not our_server(directory, pid):
                break
            time.sleep(0.1)
        else:
            os.kill(pid, signal.SIGKILL)
    for name in ("port", "pid"):
        try:
            (directory / name).unlink()
        except FileNotFoundError:
            pass
    return 0


def start(directory):
    directory = pathlib.Path(directory).resolve()
    stop(directory)
    directory.mkdir(parents=True, exist_ok=True)
    log = open(directory / "server.log", "ab")
    # A new session and no inherited descriptors: the server must not hold
    # the output pipes of whoever started it.
    subprocess.Popen([sys.executable, str(pathlib.Path(__file__).resolve()), "serve", str(directory)],
                     stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True, close_fds=True)
    log.close()
    for _ in range(100):
        if (directory / "port").exists():
            print("SOAP test server on port", (directory / "port").read_text())
            return 0
        time.sleep(0.1)
    print("the SOAP test server did not start; see", directory / "server.log")
    stop(directory)
    return 1


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop", "serve"):
        print(__doc__)
        sys.exit(2)
    command, folder = sys.argv[1:]
    if command == "serve":
        serve(pathlib.Path(folder).resolve())
    else:
        sys.exit({"start": start, "stop": stop}[command](folder))
