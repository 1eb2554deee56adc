"""The count of body bytes the server has written to its clients, so that a
benchmark can tell how much of a package a client made it send (a resumed
transfer against one started over). Bytes count once the socket took them,
whether or not the client read them."""

import contextlib
import threading

# How long a reading waits for bodies still being written; a trickling or
# stalled answer may take much longer and is read as it stands.
SETTLE_SECONDS = 2.0


class Traffic:
    def __init__(self):
        self._changed = threading.Condition()
        self._body_bytes = 0
        self._writing = 0

    @contextlib.contextmanager
    def writing(self):
        """Marks a body being written: a client may hold all of it before
        the writer has counted its last block."""
        with self._changed:
            self._writing += 1
        try:
            yield self.add
        finally:
            with self._changed:
                self._writing -= 1
                self._changed.notify_all()

    def add(self, count):
        with self._changed:
            self._body_bytes += count

    def body_bytes(self):
        """The count once the bodies being written are done (within a bound)."""
        with self._changed:
            self._changed.wait_for(lambda: self._writing == 0, SETTLE_SECONDS)
            return self._body_bytes

    def clear(self):
        with self._changed:
            self._body_bytes = 0
