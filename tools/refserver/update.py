"""The update service "Service.asmx": GetVersionInfo("productID" int)
answers "GetVersionInfoResult", a small version document such as
<Version><main>3</main><minor>0</minor><build1>12</build1><build2>345</build2></Version>
for the one product it knows (13); any other product gets a nil result.

The result is set for the run with --offered-version and per test through
the control API; POST /_control/reset puts the run's result back:

  POST /_control/update  version=3.0.13.0  the document of this version; a
                                           shorter text leaves the last
                                           elements out ("3.0.12": no build2)
                         document=TEXT     this result text as it stands
                                           (need not be XML)
                         nil=1             a nil result
  GET  /_control/update  the result text, or nothing when it is nil
"""

import threading
from xml.sax.saxutils import escape

from . import soap
from .soap import INT

PATH = "/Service.asmx"
PRODUCT_ID = 13
ELEMENTS = ("main", "minor", "build1", "build2")
# The version of the test package that download.asp hands out by default.
DEFAULT_OFFERED_VERSION = "3.0.12.345"


def version_document(version):
    """The document for a dotted version text; None for an empty text.
    Raises ValueError for more than four parts."""
    if not version:
        return None
    parts = version.split(".")
    if len(parts) > len(ELEMENTS):
        raise ValueError(f"a version has at most four parts: {version!r}")
    return "<Version>" + "".join(f"<{name}>{escape(part)}</{name}>" for name, part in zip(ELEMENTS, parts)) + \
        "</Version>"


class OfferedResult:
    """The result text the service answers (None: nil), changeable while
    requests are served."""

    def __init__(self, initial):
        self._lock = threading.Lock()
        self._initial = initial
        self._value = initial

    def get(self):
        with self._lock:
            return self._value

    def set(self, value):
        with self._lock:
            self._value = value

    def reset(self):
        self.set(self._initial)


def register(server, namespace, offered_version=DEFAULT_OFFERED_VERSION):
    result = OfferedResult(version_document(offered_version))
    server.reset_hooks.append(result.reset)

    def answer(call):
        document = result.get() if call.value("productID") == PRODUCT_ID else None
        if document is None:
            return '<GetVersionInfoResult xsi:nil="true" />'
        return f"<GetVersionInfoResult>{escape(document)}</GetVersionInfoResult>"

    def set_result(exchange):
        form = exchange.form()
        if form.get("nil") == "1":
            result.set(None)
        elif "document" in form:
            result.set(form["document"])
        elif "version" in form:
            try:
                result.set(version_document(form["version"]))
            except ValueError as error:
                exchange.send(400, f"{error}\n".encode())
                return
        else:
            exchange.send(400, b"version, document or nil=1 wanted\n")
            return
        exchange.send(200, b"ok")

    def get_result(exchange):
        exchange.send(200, (result.get() or "").encode("utf-8"))

    operations = (soap.Operation("GetVersionInfo", [("productID", INT)], answer),)
    soap.register(server, soap.SoapService(PATH, namespace, operations))
    server.route("POST", "/_control/update", set_result)
    server.route("GET", "/_control/update", get_result)
