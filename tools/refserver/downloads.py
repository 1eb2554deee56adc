"""The package download: the default address "download.asp" redirects to the
default package, and /packages/NAME serves the file NAME of the package
folder (a name with spaces is requested with %20 in their place).

Packages carry the validators a resuming client needs (ETag, Last-Modified)
and honour single byte ranges ("Range: bytes=N-" or "bytes=N-M"), with
If-Range: a range whose validator no longer matches gets the whole file (200),
a range past the end gets 416. The fault mode "changing" gives the package a
new validator on every request it applies to, as if the file had been replaced
between attempts; "cut" with times=1 cuts one transfer and then serves
normally."""

import email.utils
import hashlib
import itertools
import os

from . import faults

PACKAGE_PREFIX = "/packages/"

faults.add_modes("changing")

_changes = itertools.count(1)


def _validators(file, generation):
    status = os.stat(file)
    digest = hashlib.sha1(f"{status.st_size}/{status.st_mtime_ns}/{generation}".encode()).hexdigest()[:16]
    modified = email.utils.formatdate(status.st_mtime + generation, usegmt=True)
    return f'"{digest}"', modified


def _requested_range(exchange, size, etag, modified):
    """(offset, length) of a range to serve, None for the whole file, or
    "unsatisfiable"."""
    header = exchange.headers.get("Range")
    if exchange.method != "GET" or not header or not header.startswith("bytes="):
        return None
    if_range = exchange.headers.get("If-Range")
    if if_range is not None and if_range.strip() not in (etag, modified):
        return None  # the file changed: the whole of the new one
    wanted = header[len("bytes="):].strip()
    if "," in wanted or "-" not in wanted:
        return None  # several ranges are not served: the whole file
    first, _, last = wanted.partition("-")
    try:
        if not first:  # "bytes=-N": the last N bytes
            count = int(last)
            return (max(0, size - count), min(count, size)) if count > 0 else "unsatisfiable"
        start = int(first)
        end = int(last) if last else size - 1
    except ValueError:
        return None
    if start >= size or end < start:
        return "unsatisfiable"
    end = min(end, size - 1)
    return start, end - start + 1


def register(server, package_dir, default_package):
    def download_asp(exchange):
        exchange.redirect(PACKAGE_PREFIX + default_package.replace(" ", "%20"))

    def package(exchange):
        name = exchange.path[len(PACKAGE_PREFIX):]
        file = os.path.join(package_dir, name)
        if not name or "/" in name or name in (".", "..") or not os.path.isfile(file):
            exchange.send(404, b"no such package\n")
            return
        generation = 0
        if exchange.fault and exchange.fault.mode == "changing":
            generation = next(_changes)
            exchange.fault = None
        etag, modified = _validators(file, generation)
        size = os.path.getsize(file)
        headers = [("ETag", etag), ("Last-Modified", modified), ("Accept-Ranges", "bytes")]
        wanted = _requested_range(exchange, size, etag, modified)
        if wanted == "unsatisfiable":
            exchange.send(416, b"", headers=headers + [("Content-Range", f"bytes */{size}")])
        elif wanted:
            offset, length = wanted
            exchange.send(206, file, content_type="application/octet-stream", part=wanted,
                          headers=headers + [("Content-Range", f"bytes {offset}-{offset + length - 1}/{size}")])
        else:
            exchange.send(200, file, content_type="application/octet-stream", headers=headers)

    server.route(None, "/download.asp", download_asp)
    server.route("GET", PACKAGE_PREFIX + "*", package)
    server.route("HEAD", PACKAGE_PREFIX + "*", package)
