"""The control API for tests, under /_control/:

  GET    /_control/ping           "ok"
  GET    /_control/journal        every request so far, one per line (see
                                  journal.as_text); ?format=json for JSON
  POST   /_control/reset          forgets journal, traffic count, log lines and
                                  armed faults, lets held answers go, and puts
                                  the services' settings back to the run's
  GET    /_control/traffic        the body bytes sent since the start or the
                                  last reset (traffic.py), as a decimal number
  POST   /_control/fault          arms a fault; form fields as faults.Fault.parse
  POST   /_control/release        lets every held answer go
  POST   /_control/package        name=NAME&size=N: writes a package with the
                                  known pattern (see packages.py)
  GET    /_control/log            the posted log lines, one per line
  GET    /_control/blackhole      the port of a loopback address that takes no
                                  connection: a connect there waits until the
                                  client gives up (blackhole.py)

Services add control routes of their own: /_control/soap (soap.py) and
/_control/update (update.py).

Control requests are neither journalled nor ever meet a fault."""

import os

from . import blackhole, faults, journal, packages


def register(server, package_dir):
    def ping(exchange):
        exchange.send(200, b"ok")

    def read_journal(exchange):
        entries = server.journal.entries()
        if exchange.query.get("format") == "json":
            exchange.send(200, journal.as_json(entries), content_type="application/json")
        else:
            exchange.send(200, journal.as_text(entries))

    def reset(exchange):
        server.journal.clear()
        server.traffic.clear()
        server.faults.clear()
        if hasattr(server, "log_book"):
            server.log_book.clear()
        for hook in server.reset_hooks:
            hook()
        exchange.send(200, b"ok")

    def traffic(exchange):
        exchange.send(200, str(server.traffic.body_bytes()).encode())

    def arm_fault(exchange):
        try:
            server.faults.arm(faults.Fault.parse(exchange.body.decode("latin-1")))
        except faults.FaultError as error:
            exchange.send(400, f"{error}\n".encode())
            return
        exchange.send(200, b"ok")

    def release(exchange):
        server.faults.release()
        exchange.send(200, b"ok")

    def make_package(exchange):
        form = exchange.form()
        name = form.get("name", "")
        try:
            size = int(form.get("size", ""))
        except ValueError:
            size = -1
        if not name or "/" in name or name in (".", "..") or size < 0:
            exchange.send(400, b"name and size wanted\n")
            return
        packages.write_pattern_file(os.path.join(package_dir, name), size)
        exchange.send(200, b"ok")

    def log_lines(exchange):
        lines = server.log_book.lines() if hasattr(server, "log_book") else []
        exchange.send(200, "".join(line + "\n" for line in lines).encode("latin-1", "replace"))

    def blackhole_port(exchange):
        exchange.send(200, str(blackhole.port_of(server)).encode())

    server.route("GET", "/_control/ping", ping)
    server.route("GET", "/_control/journal", read_journal)
    server.route("GET", "/_control/traffic", traffic)
    server.route("POST", "/_control/reset", reset)
    server.route("POST", "/_control/fault", arm_fault)
    server.route("POST", "/_control/release", release)
    server.route("POST", "/_control/package", make_package)
    server.route("GET", "/_control/log", log_lines)
    server.route("GET", "/_control/blackhole", blackhole_port)
