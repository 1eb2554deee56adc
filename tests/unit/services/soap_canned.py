"""Canned answers of the two SOAP services: the statistics service
("DesktopService.asmx": four operations with empty response elements) and the
update service ("Service.asmx": GetVersionInfo with a version document), plus
the faulty answers the client must survive. Pure functions returning bytes,
so that any server can serve them."""

from xml.sax.saxutils import escape

ENVELOPE_NS = "http://schemas.xmlsoap.org/soap/envelope/"
XSI_NS = "http://www.w3.org/2001/XMLSchema-instance"
XSD_NS = "http://www.w3.org/2001/XMLSchema"

STATISTICS_OPERATIONS = ("StartInstallation", "EndInstallation", "CancelInstallation", "SaveUserInstallation")
UPDATE_OPERATIONS = ("GetVersionInfo",)


def envelope(body, header=""):
    """A SOAP 1.1 envelope in UTF-8 around the given Body content."""
    head = f"<soap:Header>{header}</soap:Header>" if header else ""
    return (f'<?xml version="1.0" encoding="utf-8"?>'
            f'<soap:Envelope xmlns:soap="{ENVELOPE_NS}" xmlns:xsi="{XSI_NS}" xmlns:xsd="{XSD_NS}">'
            f"{head}<soap:Body>{body}</soap:Body></soap:Envelope>").encode("utf-8")


def empty_response(operation, namespace):
    """What the statistics service answers to each of its operations."""
    return envelope(f'<{operation}Response xmlns="{escape(namespace)}" />')


def version_document(main="3", minor="0", build1="12", build2="345"):
    """The update service's version document; None leaves an element out."""
    parts = (("main", main), ("minor", minor), ("build1", build1), ("build2", build2))
    return "<Version>" + "".join(f"<{name}>{value}</{name}>" for name, value in parts if value is not None) + \
        "</Version>"


def version_response(namespace, document):
    """GetVersionInfo's answer: the document as the escaped text of the result."""
    return envelope(f'<GetVersionInfoResponse xmlns="{escape(namespace)}">'
                    f"<GetVersionInfoResult>{escape(document)}</GetVersionInfoResult></GetVersionInfoResponse>")


def nil_version_response(namespace):
    return envelope(f'<GetVersionInfoResponse xmlns="{escape(namespace)}">'
                    f'<GetVersionInfoResult xsi:nil="true" /></GetVersionInfoResponse>')


def fault(code="soap:Server", string="Server was unable to process request. ---> Database unavailable",
          actor="", detail=""):
    """A SOAP 1.1 fault, as answered with HTTP status 500."""
    parts = [f"<faultcode>{escape(code)}</faultcode>", f"<faultstring>{escape(string)}</faultstring>"]
    if actor:
        parts.append(f"<faultactor>{escape(actor)}</faultactor>")
    if detail:
        parts.append(f"<detail>{detail}</detail>")
    return envelope("<soap:Fault>" + "".join(parts) + "</soap:Fault>")


def answer_for(operation, namespace):
    """The correct answer to an operation, or None for an unknown one."""
    if operation in STATISTICS_OPERATIONS:
        return empty_response(operation, namespace)
    if operation in UPDATE_OPERATIONS:
        return version_response(namespace, version_document())
    return None


HTML_PAGE = b"<html><head><title>Error</title></head><body><h1>Something went wrong</h1></body></html>"


def wrong_body(namespace):
    """A well-formed envelope whose Body holds another element."""
    return envelope(f'<SomethingElseResponse xmlns="{escape(namespace)}" />')


def must_understand(operation, namespace):
    return envelope(f'<{operation}Response xmlns="{escape(namespace)}" />',
                    header='<Session xmlns="urn:test" soap:mustUnderstand="1">7</Session>')


def deep_nesting(operation, namespace, depth=100000):
    inner = "<a>" * depth + "</a>" * depth
    return envelope(f'<{operation}Response xmlns="{escape(namespace)}">{inner}</{operation}Response>')


def entity_expansion(namespace):
    """The "billion laughs" (ten levels of ten-fold entity expansion) where
    text is welcome: in the result of GetVersionInfo."""
    lines = ['<!ENTITY e0 "laugh">']
    for level in range(1, 10):
        lines.append(f'<!ENTITY e{level} "' + f"&e{level - 1};" * 10 + '">')
    doctype = "<!DOCTYPE soap:Envelope [" + "".join(lines) + "]>"
    body = envelope(f'<GetVersionInfoResponse xmlns="{escape(namespace)}">'
                    f"<GetVersionInfoResult>&e9;</GetVersionInfoResult></GetVersionInfoResponse>")
    return body.replace(b"?>", b"?>" + doctype.encode(), 1)


def external_entity(namespace, system_id):
    """A result that would pull in another resource through a DTD."""
    doctype = f'<!DOCTYPE soap:Envelope [<!ENTITY ext SYSTEM "{system_id}">]>'
    body = envelope(f'<GetVersionInfoResponse xmlns="{escape(namespace)}">'
                    f"<GetVersionInfoResult>&ext;</GetVersionInfoResult></GetVersionInfoResponse>")
    return body.replace(b"?>", b"?>" + doctype.encode(), 1)


def huge(operation, namespace, size=3 * 1024 * 1024):
    """A valid answer padded with whitespace beyond any sensible size."""
    return envelope(f'<{operation}Response xmlns="{escape(namespace)}">' + " " * size + f"</{operation}Response>")


def pieces(namespace):
    """A result whose text the parser delivers in several pieces: character
    and entity references, a CDATA section and non-ASCII text."""
    return envelope(f'<GetVersionInfoResponse xmlns="{escape(namespace)}"><GetVersionInfoResult>'
                    "&lt;Version&gt;&#x3C;main&#62;3&lt;/main&gt;<![CDATA[<minor>0</minor>]]>"
                    "<!-- a comment -->caf\u00e9 \U0001F600&amp;&lt;/Version&gt;"
                    "</GetVersionInfoResult></GetVersionInfoResponse>")


PIECES_TEXT = "<Version><main>3</main><minor>0</minor>caf\u00e9 \U0001F600&</Version>"
