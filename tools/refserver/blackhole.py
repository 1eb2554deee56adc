"""A loopback port where connecting never completes, as with a host whose
packets vanish: a listening socket that never accepts, its queue kept full
by connections of its own, so the system drops every further connection
request without an answer (Linux). Made on first use, kept for the run."""

import socket
import threading

_lock = threading.Lock()


def port_of(server):
    with _lock:
        if not hasattr(server, "blackhole"):
            server.blackhole = _BlackHole(server.server_address[0])
        return server.blackhole.port


class _BlackHole:
    QUEUE_FILLERS = 2

    def __init__(self, host):
        self._listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self._listener.bind((host, 0))
        self._listener.listen(0)
        self.port = self._listener.getsockname()[1]
        self._fillers = []
        for _ in range(self.QUEUE_FILLERS):
            filler = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            filler.setblocking(False)
            try:
                filler.connect((host, self.port))
            except BlockingIOError:
                pass
            self._fillers.append(filler)
