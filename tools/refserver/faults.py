"""Fault modes: rules that make the answer to matching requests misbehave.

A rule has a path (the decoded path without query; a trailing "*" matches any
path with that prefix), a mode with its parameters, and a count of requests it
still applies to (0 = every request until the rules are cleared). Rules come
from the command line (for a whole run) or from the control API (per request).

Modes and parameters:
  status    code=N            answer with status N and a short body
  redirect  location=URL      answer 302 to URL (to itself: a redirect loop)
  cut       keep=N            announce the full length, send N bytes (default
                              half), then close the connection
            seed=S            instead of keep: N drawn from S and the number of
                              the request under the rule (0 <= N < length), so
                              each request is cut elsewhere and a run repeats
            linger=S          wait S seconds after the last byte before closing
                              (an idle connection a server or proxy drops)
  nolength                    send the body without Content-Length and close
  huge      length=N          announce a body of N bytes (default 2**50, more
                              than any disk has free), send the real body, close
  trickle   chunk=N interval=S  send N bytes (default 1024) every S seconds
                              (default 0.02)
  hold                        answer only after POST /_control/release
  drop                        close the connection without any answer
  silent                      read the request, never answer; the connection
                              closes once the client gives up (or on reset)
  stall     keep=N            announce the full length, send N bytes (default
                              half), then fall silent like "silent"
  nothttp   text=T            answer bytes that are no HTTP (default: binary
                              noise and a line of text), then close

A service module may shape its answers by modes of its own (the SOAP
services do, see soap.py); it names them with add_modes when imported.
"""

import copy
import random
import threading
import urllib.parse

MODES = {"status", "redirect", "cut", "nolength", "huge", "trickle", "hold", "drop", "silent", "stall", "nothttp"}


def add_modes(*names):
    MODES.update(names)


class FaultError(ValueError):
    pass


class Fault:
    def __init__(self, path, mode, params, times):
        if mode not in MODES:
            raise FaultError(f"unknown fault mode {mode!r}")
        if not path:
            raise FaultError("a fault needs a path")
        self.path = path
        self.mode = mode
        self.params = params
        self.remaining = times
        self.request_number = 0  # of the request that took this rule, from 1

    @classmethod
    def parse(cls, rule):
        """From form text such as "path=/x.msi&mode=status&code=404&times=1"."""
        fields = dict(urllib.parse.parse_qsl(rule, keep_blank_values=True))
        try:
            times = int(fields.pop("times", "0"))
        except ValueError as error:
            raise FaultError(f"bad times: {error}") from None
        return cls(fields.pop("path", ""), fields.pop("mode", ""), fields, times)

    def matches(self, path):
        if self.path.endswith("*"):
            return path.startswith(self.path[:-1])
        return path == self.path

    def number(self, name, default, kind=int):
        try:
            return kind(self.params.get(name, default))
        except ValueError:
            return default

    def cut_point(self, size):
        """How many of `size` body bytes a cutting mode sends."""
        if "seed" in self.params:
            draw = random.Random(f"{self.params['seed']}/{self.request_number}")
            return draw.randrange(size) if size > 0 else 0
        return max(0, min(size - 1, self.number("keep", size // 2)))


class FaultBoard:
    """The armed rules. The newest matching rule wins, so a per-request rule
    can override one set for the whole run."""

    def __init__(self, permanent=()):
        self._lock = threading.Lock()
        self._permanent = list(permanent)
        self._armed = []
        self._release = threading.Condition(self._lock)
        self._generation = 0

    def arm(self, fault):
        with self._lock:
            self._armed.append(fault)

    def clear(self):
        """Forgets the per-request rules and lets every held answer go."""
        with self._lock:
            self._armed.clear()
            self._generation += 1
            self._release.notify_all()

    def take(self, path):
        """The rule for one request to `path` as this request applies it, or
        None."""
        with self._lock:
            for rules in (self._armed, self._permanent):
                for fault in reversed(rules):
                    if fault.matches(path):
                        if fault.remaining > 0:
                            fault.remaining -= 1
                            if fault.remaining == 0:
                                rules.remove(fault)
                        fault.request_number += 1
                        return copy.copy(fault)
        return None

    def generation(self):
        """Changes with every reset and release."""
        with self._lock:
            return self._generation

    def wait_for_release(self):
        with self._lock:
            generation = self._generation
            self._release.wait_for(lambda: self._generation != generation)

    def release(self):
        with self._lock:
            self._generation += 1
            self._release.notify_all()
