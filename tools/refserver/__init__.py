"""The reference server: one small HTTP server on loopback that stands in for
the installer's web services in development and tests.

It serves the package download (with redirects), the log handler, and the
control API under /_control/ through which tests arm fault modes and read the
journal of every request received. Each service is a module with a
`register(server)` function that adds its routes; see __main__.py for the list.
"""
