"""The record of every request the server received, in arrival order."""

import threading
import time


class Journal:
    def __init__(self):
        self._lock = threading.Lock()
        self._entries = []

    def record(self, method, target, headers, body, proxied):
        """Keeps one request; `headers` is a list of (name, value) pairs."""
        entry = {"method": method, "target": target, "headers": list(headers),
                 "body": bytes(body), "proxied": proxied,
                 "arrived": time.monotonic()}  # the machine's monotonic clock, as other processes read it
        with self._lock:
            entry["seq"] = len(self._entries) + 1
            self._entries.append(entry)
        return entry

    def entries(self):
        with self._lock:
            return list(self._entries)

    def clear(self):
        with self._lock:
            self._entries.clear()


def as_text(entries):
    """One line per request, fields separated by tabs: method, target,
    proxied (0 or 1), the body in hexadecimal, then each header as
    "Name: value". Easy to read from any language."""
    lines = []
    for entry in entries:
        fields = [entry["method"], entry["target"], "1" if entry["proxied"] else "0", entry["body"].hex()]
        fields += [f"{name}: {value}" for name, value in entry["headers"]]
        lines.append("\t".join(fields) + "\n")
    return "".join(lines).encode("latin-1", "replace")


def as_json(entries):
    import json
    plain = [dict(entry, body=entry["body"].decode("latin-1")) for entry in entries]
    return json.dumps(plain, indent=1).encode("utf-8")
