"""Runs the reference server:

  PYTHONPATH=tools /usr/bin/python3 -m refserver [--port N] [--packages DIR]
      [--default-package NAME] [--fault RULE]... [--namespace URI]
      [--offered-version TEXT] [--state-dir DIR] [--watch-pid PID] [--verbose]
      [--tls-cert FILE --tls-key FILE]

--port 0 takes any free port. With --state-dir the server writes its port to
DIR/port (once it accepts connections) and its process id to DIR/pid.
--watch-pid ends the server when that process is gone. SIGTERM and SIGINT
end it cleanly. With --tls-cert and --tls-key the same routes are also served
over TLS on a second free port, written to DIR/tls-port."""

import argparse
import os
import shutil
import signal
import sys
import tempfile
import threading
import time

from . import control_api, downloads, faults, loghandler, proxyscript, statistics, tls, update
from .app import ReferenceServer

DEFAULT_PORT = 48080  # the port of the default deployment values
# The default of CORVANE_SERVICE_NAMESPACE (cmake/CorvaneOptions.cmake).
DEFAULT_NAMESPACE = "http://services.corvane.example/"


def parse_arguments(argv):
    parser = argparse.ArgumentParser(prog="refserver", description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT)
    parser.add_argument("--packages", help="folder of the package files (default: a fresh temporary one)")
    parser.add_argument("--default-package", default="CorvaneSetup.msi",
                        help="the package that download.asp redirects to")
    parser.add_argument("--fault", action="append", default=[],
                        help='a fault for the whole run, e.g. "path=/download.asp&mode=status&code=500"')
    parser.add_argument("--namespace", default=DEFAULT_NAMESPACE,
                        help="the namespace URI of the SOAP services")
    parser.add_argument("--offered-version", default=update.DEFAULT_OFFERED_VERSION,
                        help='the version the update service reports ("" for none)')
    parser.add_argument("--state-dir")
    parser.add_argument("--watch-pid", type=int)
    parser.add_argument("--verbose", action="store_true")
    parser.add_argument("--tls-cert", help="certificate chain (PEM) of the TLS listener")
    parser.add_argument("--tls-key", help="private key (PEM) of the TLS listener")
    return parser.parse_args(argv)


def watch(pid, server):
    while True:
        time.sleep(1)
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            server.shutdown()
            return
        except PermissionError:
            pass  # alive, owned by someone else


def main(argv=None):
    args = parse_arguments(argv)
    try:
        permanent = [faults.Fault.parse(rule) for rule in args.fault]
    except faults.FaultError as error:
        print(f"refserver: {error}", file=sys.stderr)
        return 2

    own_packages = args.packages is None
    package_dir = tempfile.mkdtemp(prefix="corvane-packages-") if own_packages else args.packages
    server = ReferenceServer((args.host, args.port), permanent, verbose=args.verbose)
    # Every service of the reference server registers its routes here.
    control_api.register(server, package_dir)
    downloads.register(server, package_dir, args.default_package)
    loghandler.register(server)
    proxyscript.register(server)
    statistics.register(server, args.namespace)
    try:
        update.register(server, args.namespace, args.offered_version)
    except ValueError as error:
        print(f"refserver: {error}", file=sys.stderr)
        return 2

    tls_server = None
    if args.tls_cert or args.tls_key:
        try:
            tls_server = tls.TlsServer(server, args.tls_cert, args.tls_key)
        except (OSError, TypeError, ValueError) as error:
            print(f"refserver: cannot serve TLS: {error}", file=sys.stderr)
            return 2
        threading.Thread(target=tls_server.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()

    def stop(signum, frame):
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    if args.watch_pid:
        threading.Thread(target=watch, args=(args.watch_pid, server), daemon=True).start()

    if args.state_dir:
        os.makedirs(args.state_dir, exist_ok=True)
        write_file(os.path.join(args.state_dir, "pid"), str(os.getpid()))
        if tls_server:
            # Before the port file, which tells ctl.py that the server is up.
            write_file(os.path.join(args.state_dir, "tls-port"), str(tls_server.port))
        write_file(os.path.join(args.state_dir, "port"), str(server.port))
    print(f"refserver: listening on http://{args.host}:{server.port}/", flush=True)
    if tls_server:
        print(f"refserver: listening on https://{args.host}:{tls_server.port}/", flush=True)
    try:
        server.serve_forever(poll_interval=0.2)
    finally:
        if tls_server:
            tls_server.shutdown()
            tls_server.server_close()
        server.server_close()
        if own_packages:
            shutil.rmtree(package_dir, ignore_errors=True)
        if args.state_dir:
            for name in ("port", "pid", "tls-port"):
                try:
                    os.remove(os.path.join(args.state_dir, name))
                except FileNotFoundError:
                    pass
    return 0


def write_file(path, text):
    """Writes through a temporary name, so a reader never sees half a file."""
    temporary = path + ".tmp"
    with open(temporary, "w") as out:
        out.write(text + "\n")
    os.replace(temporary, path)


if __name__ == "__main__":
    sys.exit(main())
