"""SOAP 1.1 services in the document/literal "wrapped" style, as the
installer's client writes them: one POST per call, the operation named by
the SOAPAction header ("NAMESPACE" + operation, in double quotes) and by the
wrapper element inside Body, each parameter a child element of the wrapper.

A service is a path, a namespace and a table of operations; `SoapService`
turns it into a route handler that checks a request as strictly as the
real service host (method, content type, SOAPAction, envelope, wrapper,
parameter names, order and types), answers with the operation's response
element, and rejects anything else with a SOAP fault ("soap:Client", HTTP
500) naming the problem, so that a client fault shows up in the tests.

What a service received is read back through `GET /_control/soap`: every
request to a SOAP service path in journal order, as the service reads it,
including requests that met a hold or drop fault:

  seq TAB path TAB operation TAB problem TAB parameter TAB parameter ...

problem is empty for a sound request; each parameter is "name=value" with
the value percent-encoded as UTF-8, or the bare name for a nil value;
booleans read "true" or "false". `?format=json` gives the same as JSON.

Fault modes of the SOAP services, armed like every other mode (faults.py):
  soapfault  faultcode=T faultstring=T faultactor=T detail=T code=N
                          status N (default 500) with a SOAP fault
  garbage    code=N text=T  status N (default 500) with a body that is no
                          XML (default "<<< not xml &&&")
  wrongbody               status 200 with a well-formed envelope whose Body
                          holds another element than the response element
"""

import json
import re
import urllib.parse
from xml.parsers import expat
from xml.sax.saxutils import escape, quoteattr

from . import faults

ENVELOPE_NS = "http://schemas.xmlsoap.org/soap/envelope/"
XSI_NS = "http://www.w3.org/2001/XMLSchema-instance"
XSD_NS = "http://www.w3.org/2001/XMLSchema"

STRING, INT, BOOLEAN = "string", "int", "boolean"

faults.add_modes("soapfault", "garbage", "wrongbody")


class Operation:
    """An operation: its name, its in-parameters as (name, type) pairs in
    declaration order, and a function giving the content of its response
    element for a call (by default none: an empty response element)."""

    def __init__(self, name, parameters, answer=None):
        self.name = name
        self.parameters = tuple(parameters)
        self.answer = answer or (lambda call: "")


class SoapCall:
    """A request as a service reads it."""

    def __init__(self):
        self.operation = ""     # known once the SOAPAction names one
        self.parameters = []    # (name, value) in the order sent; None for nil
        self.problem = ""       # why the service rejects the request
        self.status = 200       # the HTTP status of the rejection

    def value(self, name):
        return dict(self.parameters).get(name)

    def as_line(self, seq, path):
        fields = [str(seq), path, self.operation, _quote(self.problem)]
        for name, value in self.parameters:
            fields.append(name if value is None else f"{name}={_quote(_text_of(value))}")
        return "\t".join(fields) + "\n"

    def as_dict(self, seq, path):
        return {"seq": seq, "path": path, "operation": self.operation, "problem": self.problem,
                "parameters": [[name, value] for name, value in self.parameters]}


class Rejected(Exception):
    def __init__(self, problem, status=500):
        super().__init__(problem)
        self.status = status


class SoapService:
    def __init__(self, path, namespace, operations):
        self.path = path
        self.namespace = namespace
        self.operations = {operation.name: operation for operation in operations}

    def read(self, method, headers, body):
        """The call that a request makes; never raises."""
        call = SoapCall()
        try:
            self._read(call, method, headers, body)
        except Rejected as rejection:
            call.problem = str(rejection)
            call.status = rejection.status
        return call

    def handle(self, exchange):
        call = self.read(exchange.method, exchange.headers, exchange.body)
        fault = exchange.fault
        mode = fault.mode if fault else None
        if mode == "soapfault":
            exchange.send(fault.number("code", 500), fault_envelope(
                fault.params.get("faultcode", "soap:Server"),
                fault.params.get("faultstring", "Server was unable to process request."),
                fault.params.get("faultactor", ""), fault.params.get("detail", "")), content_type=XML_TYPE)
        elif mode == "garbage":
            exchange.send(fault.number("code", 500), fault.params.get("text", "<<< not xml &&&").encode("utf-8"),
                          content_type=XML_TYPE)
        elif mode == "wrongbody":
            exchange.send(200, envelope(f"<UnexpectedResponse xmlns={quoteattr(self.namespace)} />"),
                          content_type=XML_TYPE)
        elif call.status == 500:
            exchange.send(500, fault_envelope("soap:Client", call.problem), content_type=XML_TYPE)
        elif call.problem:
            exchange.send(call.status, (call.problem + "\n").encode("utf-8"))
        else:
            operation = self.operations[call.operation]
            exchange.send(200, envelope(response_element(operation.name, self.namespace, operation.answer(call))),
                          content_type=XML_TYPE)

    def _read(self, call, method, headers, body):
        if method != "POST":
            raise Rejected(f"{method} is not a SOAP request", 405)
        content_type = _header(headers, "Content-Type") or ""
        if content_type.split(";")[0].strip().lower() != "text/xml":
            raise Rejected(f"the content type {content_type!r} is not text/xml", 415)
        action = (_header(headers, "SOAPAction") or "").strip()
        if len(action) >= 2 and action[0] == action[-1] == '"':
            action = action[1:-1]
        name = action[len(self.namespace):] if action.startswith(self.namespace) else ""
        if name not in self.operations:
            raise Rejected(f"Server did not recognize the value of HTTP Header SOAPAction: {action}.")
        call.operation = name
        operation = self.operations[name]

        root = parse_document(body)
        if (root.namespace, root.name) != (ENVELOPE_NS, "Envelope"):
            raise Rejected(f"the document element is {root.qualified()}, not the SOAP 1.1 Envelope")
        parts = [child for child in root.children if child.namespace == ENVELOPE_NS]
        if len(parts) != len(root.children) or [part.name for part in parts] not in (["Body"], ["Header", "Body"]):
            raise Rejected("the Envelope must hold an optional Header and one Body, nothing else")
        content = parts[-1].children
        if len(content) != 1:
            raise Rejected(f"the Body holds {len(content)} elements, not one")
        wrapper = content[0]
        if (wrapper.namespace, wrapper.name) != (self.namespace, name):
            raise Rejected(f"the Body holds {wrapper.qualified()}, not {{{self.namespace}}}{name} "
                           "as the SOAPAction says")
        if wrapper.text.strip():
            raise Rejected(f"{name} holds text outside its parameters")
        expected = list(operation.parameters)
        for element in wrapper.children:
            if not expected:
                raise Rejected(f"{name} has no parameter {element.qualified()} at this place")
            parameter, kind = expected.pop(0)
            if (element.namespace, element.name) != (self.namespace, parameter):
                raise Rejected(f"{name} expects {{{self.namespace}}}{parameter} here, not {element.qualified()}")
            call.parameters.append((parameter, _decode(parameter, kind, element)))
        if expected:
            raise Rejected(f"{name} lacks the parameters {', '.join(p for p, _ in expected)}")


def register(server, service):
    """Adds the service's route and, with the first service, the view of
    what the SOAP services received."""
    if not hasattr(server, "soap_services"):
        server.soap_services = []
        server.route("GET", "/_control/soap", lambda exchange: _view(server, exchange))
    server.soap_services.append(service)
    server.route(None, service.path, service.handle)


def _view(server, exchange):
    services = {service.path: service for service in server.soap_services}
    calls = []
    for entry in server.journal.entries():
        path = _path_of(entry["target"])
        service = services.get(path)
        if service:
            call = service.read(entry["method"], entry["headers"], entry["body"])
            calls.append((entry["seq"], path, call))
    if exchange.query.get("format") == "json":
        data = [call.as_dict(seq, path) for seq, path, call in calls]
        exchange.send(200, json.dumps(data, indent=1).encode("utf-8"), content_type="application/json")
    else:
        exchange.send(200, "".join(call.as_line(seq, path) for seq, path, call in calls).encode("utf-8"))


# --- documents -------------------------------------------------------------

XML_TYPE = "text/xml; charset=utf-8"


def envelope(body_content):
    """An answer envelope as the service host writes it, in UTF-8."""
    return ('<?xml version="1.0" encoding="utf-8"?>'
            f'<soap:Envelope xmlns:soap="{ENVELOPE_NS}" xmlns:xsi="{XSI_NS}" xmlns:xsd="{XSD_NS}">'
            f"<soap:Body>{body_content}</soap:Body></soap:Envelope>").encode("utf-8")


def response_element(operation, namespace, content=""):
    start = f"{operation}Response xmlns={quoteattr(namespace)}"
    return f"<{start}>{content}</{operation}Response>" if content else f"<{start} />"


def fault_envelope(code, string, actor="", detail=""):
    """A SOAP 1.1 fault; `detail` is markup and goes in as it stands."""
    parts = f"<faultcode>{escape(code)}</faultcode><faultstring>{escape(string)}</faultstring>"
    if actor:
        parts += f"<faultactor>{escape(actor)}</faultactor>"
    parts += f"<detail>{detail}</detail>" if detail else "<detail />"
    return envelope(f"<soap:Fault>{parts}</soap:Fault>")


class Element:
    def __init__(self, namespace, name, attributes):
        self.namespace = namespace
        self.name = name
        self.attributes = attributes  # {(namespace, name): value}
        self.children = []
        self.text = ""

    def qualified(self):
        return f"{{{self.namespace}}}{self.name}" if self.namespace else self.name


def _split_name(name):
    namespace, _, local = name.rpartition(" ")
    return namespace, local


def parse_document(body):
    """The element tree of a request body. Document type declarations are
    refused: no entity of a request is ever expanded."""
    parser = expat.ParserCreate(namespace_separator=" ")
    stack = []
    roots = []

    def refuse(*_):
        raise Rejected("a SOAP message carries no document type declaration")

    def start(name, attributes):
        element = Element(*_split_name(name), {_split_name(key): value for key, value in attributes.items()})
        (stack[-1].children if stack else roots).append(element)
        stack.append(element)

    def end(name):
        stack.pop()

    def text(data):
        if stack:
            stack[-1].text += data

    parser.StartDoctypeDeclHandler = refuse
    parser.EntityDeclHandler = refuse
    parser.StartElementHandler = start
    parser.EndElementHandler = end
    parser.CharacterDataHandler = text
    try:
        parser.Parse(body, True)
    except expat.ExpatError as error:
        raise Rejected(f"There is an error in the XML document: {error}") from None
    return roots[0]


INT_PATTERN = re.compile(r"[+-]?[0-9]+")
BOOLEANS = {"true": True, "1": True, "false": False, "0": False}


def _decode(parameter, kind, element):
    if element.children:
        raise Rejected(f"the parameter {parameter} holds elements")
    if element.attributes.get((XSI_NS, "nil"), "").strip() in ("true", "1"):
        if kind != STRING:
            raise Rejected(f"the parameter {parameter} ({kind}) cannot be nil")
        if element.text:
            raise Rejected(f"the nil parameter {parameter} holds text")
        return None
    if kind == STRING:
        return element.text
    text = element.text.strip()
    if kind == INT:
        if not INT_PATTERN.fullmatch(text) or not -2 ** 31 <= int(text) < 2 ** 31:
            raise Rejected(f"the parameter {parameter} is no int: {text!r}")
        return int(text)
    if text not in BOOLEANS:
        raise Rejected(f"the parameter {parameter} is no boolean: {text!r}")
    return BOOLEANS[text]


# --- small helpers -----------------------------------------------------------

def _header(headers, name):
    """The first header of that name (case-insensitive) from a message or a
    list of (name, value) pairs."""
    items = headers.items() if hasattr(headers, "items") else headers
    for key, value in items:
        if key.lower() == name.lower():
            return value
    return None


def _path_of(target):
    """The decoded path of a request target, also of a whole URL sent to a
    proxy (as the server's dispatch reads it)."""
    local = urllib.parse.urlsplit(target if "://" in target.split("?", 1)[0] else "//x" + target)
    return urllib.parse.unquote(local.path or "/", encoding="latin-1")


def _text_of(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    return str(value)


def _quote(text):
    return urllib.parse.quote(text, safe="", encoding="utf-8", errors="surrogatepass")

