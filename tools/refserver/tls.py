"""A second listener that speaks TLS and serves the same routes, journal and
faults as the plain server. The control API stays reachable over plain HTTP,
so a test can arm faults and make packages whether or not its client trusts
the certificate."""

import http.server
import ssl

from .app import RequestHandler


class TlsServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, plain, cert_file, key_file):
        self._context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        self._context.load_cert_chain(cert_file, key_file)
        self.plain = plain
        super().__init__((plain.server_address[0], 0), RequestHandler)

    def __getattr__(self, name):
        # Journal, faults, routes and settings are the plain server's.
        return getattr(self.plain, name)

    @property
    def port(self):
        return self.server_address[1]

    def get_request(self):
        connection, address = super().get_request()
        # The handshake waits for the request's own thread: a client that
        # never completes it must not hold up the accepting loop.
        return self._context.wrap_socket(connection, server_side=True, do_handshake_on_connect=False), address

    def finish_request(self, request, client_address):
        try:
            request.do_handshake()
        except (ssl.SSLError, OSError):
            return  # refused by the client (an untrusted certificate) or gone
        super().finish_request(request, client_address)
