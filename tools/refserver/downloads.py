"""The package download: the default address "download.asp" redirects to the
default package, and /packages/NAME serves the file NAME of the package
folder (a name with spaces is requested with %20 in their place)."""

import os

PACKAGE_PREFIX = "/packages/"


def register(server, package_dir, default_package):
    def download_asp(exchange):
        exchange.redirect(PACKAGE_PREFIX + default_package.replace(" ", "%20"))

    def package(exchange):
        name = exchange.path[len(PACKAGE_PREFIX):]
        file = os.path.join(package_dir, name)
        if not name or "/" in name or name in (".", "..") or not os.path.isfile(file):
            exchange.send(404, b"no such package\n")
            return
        exchange.send(200, file, content_type="application/octet-stream")

    server.route(None, "/download.asp", download_asp)
    server.route("GET", PACKAGE_PREFIX + "*", package)
    server.route("HEAD", PACKAGE_PREFIX + "*", package)
