"""The HTTP machinery: a threaded server with a route table, and the exchange
object through which route handlers read a request and answer it. Fault modes
are applied here, so every service gets them without code of its own."""

import contextlib
import http.server
import os
import select
import socket
import ssl
import time
import urllib.parse

from . import faults as faults_module
from .journal import Journal
from .traffic import Traffic

# Files go out in blocks of this size by the kernel's sendfile.
SEND_BLOCK = 256 * 1024

CONTROL_PREFIX = "/_control/"


class Exchange:
    """One request and its answer."""

    def __init__(self, handler, path, query, body, fault):
        self._handler = handler
        self.server = handler.server
        self.method = handler.command
        self.path = path            # decoded, without query
        self.query = query          # dict of the query parameters (last value wins)
        self.body = body
        self.headers = handler.headers
        self.fault = fault
        # The control API's own answers are no traffic of the services.
        self.metered = not path.startswith(CONTROL_PREFIX)

    def form(self):
        """The body as a form (application/x-www-form-urlencoded)."""
        return dict(urllib.parse.parse_qsl(self.body.decode("latin-1"), keep_blank_values=True))

    def send(self, status, body=b"", content_type="text/plain; charset=utf-8", headers=(), part=None):
        """Answers with `body`: bytes, or a path whose file is streamed; for a
        file, `part` (offset, length) streams only that range of it."""
        mode = self.fault.mode if self.fault else None
        if isinstance(body, (str, os.PathLike)):
            with open(body, "rb") as source:
                offset, size = part if part else (0, os.fstat(source.fileno()).st_size)
                source.seek(offset)
                self._start(status, size, content_type, headers, mode)
                self._stream(source, size, mode)
        else:
            self._start(status, len(body), content_type, headers, mode)
            self._stream(_BytesSource(body), len(body), mode)

    def redirect(self, location, status=302):
        self.send(status, b"", headers=[("Location", location)])

    def _start(self, status, size, content_type, headers, mode):
        handler = self._handler
        handler.send_response(status)
        handler.send_header("Content-Type", content_type)
        for name, value in headers:
            handler.send_header(name, value)
        if mode == "nolength":
            handler.send_header("Connection", "close")
            handler.close_connection = True
        elif mode == "huge":
            handler.send_header("Content-Length", str(self.fault.number("length", HUGE_LENGTH)))
        else:
            handler.send_header("Content-Length", str(size))
        handler.end_headers()

    def _stream(self, source, size, mode):
        handler = self._handler
        if self.method == "HEAD" or size == 0:
            return
        writing = self.server.traffic.writing() if self.metered else contextlib.nullcontext(_uncounted)
        with writing as counted:
            self._write_body(source, size, mode, counted)
        if mode == "stall":
            _fall_silent(handler)
        if mode == "cut" and "linger" in self.fault.params:
            try:
                handler.wfile.flush()
            except OSError:
                pass
            time.sleep(self.fault.number("linger", 0.0, float))
        if mode in ("cut", "stall", "huge"):
            _abort(handler)

    def _write_body(self, source, size, mode, counted):
        handler = self._handler
        if mode in ("cut", "stall"):
            _copy(source, handler.wfile, self.fault.cut_point(size), counted)
        elif mode == "huge":
            _copy(source, handler.wfile, size, counted)  # far short of the announced length
        elif mode == "trickle":
            chunk = max(1, self.fault.number("chunk", 1024))
            interval = self.fault.number("interval", 0.02, float)
            sent = 0
            while sent < size:
                part = source.read(min(chunk, size - sent))
                handler.wfile.write(part)
                counted(len(part))
                sent += len(part)
                time.sleep(interval)
        elif isinstance(source, _BytesSource):
            handler.wfile.write(source.data)
            counted(len(source.data))
        else:
            _send_file(handler.connection, source, size, counted)


class _BytesSource:
    def __init__(self, data):
        self.data = data
        self._offset = 0

    def read(self, size):
        part = self.data[self._offset:self._offset + size]
        self._offset += len(part)
        return part


def _uncounted(count):
    pass


def _copy(source, target, size, counted):
    while size > 0:
        part = source.read(min(size, 1 << 16))
        if not part:
            return
        target.write(part)
        counted(len(part))
        size -= len(part)


def _send_file(connection, source, size, counted):
    """Streams `size` bytes of the file from its position."""
    offset = source.tell()
    end = offset + size
    while offset < end:
        sent = _send_block(connection, source, offset, min(SEND_BLOCK, end - offset))
        if sent == 0:
            return  # the file is shorter than announced
        counted(sent)
        offset += sent


def _send_block(connection, source, offset, count):
    if isinstance(connection, ssl.SSLSocket) or connection.gettimeout() is not None:
        return connection.sendfile(source, offset, count)  # TLS falls back to plain sends
    # The kernel reports what a block the client broke off got out before
    # the next call fails; Python's own loop would lose that count.
    return os.sendfile(connection.fileno(), source.fileno(), offset, count)


def _fall_silent(handler):
    """Says nothing more until the client closes the connection or a reset
    or release lets every such answer go."""
    handler.wfile.flush()
    faults = handler.server.faults
    generation = faults.generation()
    connection = handler.connection
    while faults.generation() == generation:
        readable, _, _ = select.select([connection], [], [], 0.2)
        if readable:
            try:
                if not connection.recv(65536):
                    return  # the client has given up
            except OSError:
                return


def _abort(handler):
    """Ends the connection at once, without a proper end of the answer."""
    handler.close_connection = True
    try:
        handler.wfile.flush()
        handler.connection.shutdown(socket.SHUT_RDWR)
    except OSError:
        pass


# The length the "huge" fault announces by default: a petabyte, more than
# any disk a test runs on has free.
HUGE_LENGTH = 1 << 50


# The default answer of the "nothttp" fault: no status line, binary noise,
# then a line that looks like a header.
NOT_HTTP = b"\x00\x17\xfe\xff<<< not http >>>\r\nContent-Length: 5\r\n\r\nnoise"


class RequestHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "CorvaneReference/1.0"

    def log_message(self, format, *args):
        if self.server.verbose:
            super().log_message(format, *args)

    def do_CONNECT(self):
        # A proxy tunnel: recorded and granted; nothing is relayed, since only
        # the connection itself is ever asked for through it.
        self.server.journal.record("CONNECT", self.path, self.headers.items(), b"", True)
        self.send_response(200, "Connection established")
        self.end_headers()
        self.close_connection = True
        try:
            while self.rfile.read1(65536):
                pass
        except OSError:
            pass

    def do_GET(self):
        self._dispatch()

    do_POST = do_HEAD = do_PUT = do_DELETE = do_GET

    def _dispatch(self):
        target = self.path
        proxied = "://" in target.split("?", 1)[0]
        # As a forward proxy, the request names the whole URL: serve its path.
        local = urllib.parse.urlsplit(target) if proxied else urllib.parse.urlsplit("//x" + target)
        path = urllib.parse.unquote(local.path or "/", encoding="latin-1")
        query = dict(urllib.parse.parse_qsl(local.query, keep_blank_values=True))
        body = self._read_body()
        control = path.startswith(CONTROL_PREFIX)
        if not control:
            self.server.journal.record(self.command, target, self.headers.items(), body, proxied)

        fault = None if control else self.server.faults.take(path)
        exchange = Exchange(self, path, query, body, fault)
        try:
            if fault and self._answer_fault(exchange, fault):
                return
            route = self.server.find_route(self.command, path)
            if route is None:
                exchange.send(404, b"no such resource\n")
            else:
                route(exchange)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def _answer_fault(self, exchange, fault):
        """Answers for faults that replace the answer; False for those that
        only shape the body of the normal answer."""
        if fault.mode == "hold":
            self.server.faults.wait_for_release()
            exchange.fault = None
            return False
        if fault.mode == "drop":
            _abort(self)
            return True
        if fault.mode == "silent":
            _fall_silent(self)
            _abort(self)
            return True
        if fault.mode == "nothttp":
            text = fault.params.get("text")
            self.wfile.write(text.encode("latin-1", "replace") if text is not None else NOT_HTTP)
            _abort(self)
            return True
        if fault.mode == "status":
            code = fault.number("code", 500)
            exchange.fault = None
            exchange.send(code, f"fault status {code}\n".encode())
            return True
        if fault.mode == "redirect":
            exchange.fault = None
            exchange.redirect(fault.params.get("location", "/"))
            return True
        return False

    def _read_body(self):
        length = self.headers.get("Content-Length")
        if not length:
            return b""
        try:
            return self.rfile.read(int(length))
        except ValueError:
            return b""


class ReferenceServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, permanent_faults=(), verbose=False):
        super().__init__(address, RequestHandler)
        self.journal = Journal()
        self.traffic = Traffic()
        self.faults = faults_module.FaultBoard(permanent_faults)
        self.verbose = verbose
        self._routes = []  # (method or None, path or prefix ending in "*", handler)
        self.reset_hooks = []  # what a service puts back on POST /_control/reset

    def route(self, method, path, handler):
        """Adds a route; `method` None accepts any method, a `path` ending in
        "*" matches by prefix. Earlier routes win."""
        self._routes.append((method, path, handler))

    def find_route(self, method, path):
        for route_method, route_path, handler in self._routes:
            if route_method not in (None, method):
                continue
            if route_path.endswith("*") and path.startswith(route_path[:-1]) or route_path == path:
                return handler
        return None

    @property
    def port(self):
        return self.server_address[1]
