"""The log handler "LogHandler.ashx": keeps the "message" field of every
posted form and answers 200."""

import threading


class LogBook:
    def __init__(self):
        self._lock = threading.Lock()
        self._lines = []

    def add(self, line):
        with self._lock:
            self._lines.append(line)

    def lines(self):
        with self._lock:
            return list(self._lines)

    def clear(self):
        with self._lock:
            self._lines.clear()


def register(server):
    server.log_book = LogBook()

    def log_handler(exchange):
        if exchange.method != "POST":
            exchange.send(405, b"POST only\n")
            return
        server.log_book.add(exchange.form().get("message", ""))
        exchange.send(200, b"OK")

    server.route(None, "/LogHandler.ashx", log_handler)
