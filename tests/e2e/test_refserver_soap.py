"""The reference server's SOAP services, on their own: they must read what
the installer's client writes, reject what a real service host rejects, and
agree with the build's deployment values. No Windows build is needed."""

import json
import pathlib
import re
import sys
import threading
import urllib.error
import urllib.request

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from refserver import __main__ as refserver_main  # noqa: E402
from refserver import control_api, statistics, update  # noqa: E402
from refserver.app import ReferenceServer  # noqa: E402

NS = refserver_main.DEFAULT_NAMESPACE
ENVELOPE_START = ('<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/" '
                  'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" '
                  'xmlns:xsd="http://www.w3.org/2001/XMLSchema" '
                  'xmlns:soapenc="http://schemas.xmlsoap.org/soap/encoding/">')
OPENER = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def request_envelope(operation, parameters):
    """The envelope as the installer's client writes it: one line, the
    wrapper in the service namespace, nil strings as xsi:nil="1"."""
    inner = "".join(f'<{name} xsi:nil="1"/>' if value is None else f"<{name}>{value}</{name}>"
                    for name, value in parameters)
    return (f'{ENVELOPE_START}<soap:Body><{operation} xmlns="{NS}">{inner}</{operation}>'
            "</soap:Body></soap:Envelope>").encode("ascii")


@pytest.fixture(scope="module")
def server():
    reference = ReferenceServer(("127.0.0.1", 0))
    control_api.register(reference, "/nonexistent")
    statistics.register(reference, NS)
    update.register(reference, NS)
    thread = threading.Thread(target=reference.serve_forever, kwargs={"poll_interval": 0.05}, daemon=True)
    thread.start()
    yield f"http://127.0.0.1:{reference.port}"
    reference.shutdown()
    reference.server_close()


@pytest.fixture
def base(server):
    post(server + "/_control/reset")
    return server


def post(url, body=b"", headers=None):
    """(status, body) of a POST; never raises for an HTTP error status."""
    request = urllib.request.Request(url, data=body, headers=headers or {}, method="POST")
    try:
        with OPENER.open(request, timeout=10) as answer:
            return answer.status, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, error.read()


def call(base, path, operation, body, action=None, content_type="text/xml; charset=utf-8"):
    headers = {"Content-Type": content_type, "SOAPAction": f'"{NS}{action or operation}"'}
    return post(base + path, body, headers)


def received(base):
    with OPENER.open(base + "/_control/soap?format=json", timeout=10) as answer:
        return json.loads(answer.read())


def test_the_services_sit_where_the_build_points_the_installer():
    options = (ROOT / "cmake" / "CorvaneOptions.cmake").read_text()

    def default(name):
        return re.search(rf'set\({name} "([^"]*)"', options).group(1)

    origin = default("CORVANE_SERVICE_ORIGIN")
    assert default("CORVANE_SERVICE_NAMESPACE") == NS
    assert origin.endswith(f":{refserver_main.DEFAULT_PORT}")
    assert default("CORVANE_STATISTICS_URL") == "${CORVANE_SERVICE_ORIGIN}" + statistics.PATH
    assert default("CORVANE_UPDATE_URL") == "${CORVANE_SERVICE_ORIGIN}" + update.PATH


def test_each_report_is_answered_and_listed_with_its_values_in_order(base):
    reports = [
        ("StartInstallation", [("Guid", "g"), ("ProductCode", "corvane"), ("Installer_build", "1.0.0.7"),
                               ("MACAddress", "00-11-22-33-44-55 "), ("Language", "fr"),
                               ("OSVersion", "Windows 7 Ultimate Edition Service Pack 1 (build 7601), 32-bit"),
                               ("JoinLink", ""), ("Country", None), ("WID", "42")]),
        ("EndInstallation", [("Guid", "g"), ("MSI_build", "3.0.12.345")]),
        ("SaveUserInstallation", [("Guid", "g"), ("Email", "a&amp;b@example.com"), ("FirstName", "Ren&#x00E9;"),
                                  ("LastName", "&lt;&#x01F600;\"'"), ("Optin", "true")]),
        ("CancelInstallation", [("Guid", "g")]),
    ]
    for operation, parameters in reports:
        status, body = call(base, "/DesktopService.asmx", operation, request_envelope(operation, parameters))
        assert status == 200
        assert f'<{operation}Response xmlns="{NS}" />'.encode() in body

    calls = received(base)
    assert [c["operation"] for c in calls] == [operation for operation, _ in reports]
    assert all(c["problem"] == "" for c in calls)
    assert calls[0]["parameters"][7:] == [["Country", None], ["WID", "42"]]
    assert calls[0]["parameters"][6] == ["JoinLink", ""]
    assert calls[2]["parameters"] == [["Guid", "g"], ["Email", "a&b@example.com"], ["FirstName", "Ren\u00e9"],
                                      ["LastName", "<\U0001F600\"'"], ["Optin", True]]


@pytest.mark.parametrize("case, status, problem", [
    ("wrong action", 500, "did not recognize the value of HTTP Header SOAPAction"),
    ("other namespace", 500, "not {http://services.corvane.example/}CancelInstallation"),
    ("parameters swapped", 500, "expects {http://services.corvane.example/}Guid here"),
    ("parameter missing", 500, "lacks the parameters MSI_build"),
    ("boolean wrong", 500, "Optin is no boolean"),
    ("document type", 500, "no document type declaration"),
    ("not xml", 500, "error in the XML document"),
    ("form content", 415, "not text/xml"),
])
def test_requests_a_service_host_refuses_are_rejected_and_listed_with_the_reason(base, case, status, problem):
    operation, body, action, content_type = {
        "wrong action": ("CancelInstallation", request_envelope("CancelInstallation", [("Guid", "g")]),
                         "CancelInstallation2", None),
        "other namespace": ("CancelInstallation", request_envelope("CancelInstallation", [("Guid", "g")])
                            .replace(NS.encode(), b"urn:other"), None, None),
        "parameters swapped": ("EndInstallation", request_envelope(
            "EndInstallation", [("MSI_build", "1"), ("Guid", "g")]), None, None),
        "parameter missing": ("EndInstallation", request_envelope("EndInstallation", [("Guid", "g")]), None, None),
        "boolean wrong": ("SaveUserInstallation", request_envelope(
            "SaveUserInstallation", [("Guid", "g"), ("Email", "e"), ("FirstName", "f"), ("LastName", "l"),
                                     ("Optin", "yes")]), None, None),
        "document type": ("CancelInstallation", b'<!DOCTYPE x [<!ENTITY e "g">]>' + request_envelope(
            "CancelInstallation", [("Guid", "&e;")]), None, None),
        "not xml": ("CancelInstallation", b"<soap:Envelope", None, None),
        "form content": ("CancelInstallation", request_envelope("CancelInstallation", [("Guid", "g")]), None,
                         "application/x-www-form-urlencoded"),
    }[case]
    answer_status, answer = call(base, "/DesktopService.asmx", operation, body, action,
                                 content_type or "text/xml; charset=utf-8")
    assert answer_status == status
    if status == 500:
        assert b"<faultcode>soap:Client</faultcode>" in answer
    [listed] = received(base)
    assert problem in listed["problem"]


def test_fault_modes_shape_the_answer_and_the_request_is_still_listed(base):
    body = request_envelope("CancelInstallation", [("Guid", "g")])
    faults = [
        ("mode=soapfault&faultcode=soap:Server&faultstring=Database%20down", 500,
         b"<faultcode>soap:Server</faultcode><faultstring>Database down</faultstring>"),
        ("mode=garbage", 500, b"<<< not xml &&&"),
        ("mode=wrongbody", 200, b"<UnexpectedResponse"),
        ("mode=status&code=503", 503, b"fault status 503"),
    ]
    for rule, status, expected in faults:
        assert post(base + "/_control/fault", f"path=/DesktopService.asmx&times=1&{rule}".encode())[0] == 200
        answer_status, answer = call(base, "/DesktopService.asmx", "CancelInstallation", body)
        assert (answer_status, expected in answer) == (status, True), rule
    post(base + "/_control/fault", b"path=/DesktopService.asmx&times=1&mode=drop")
    with pytest.raises(Exception):
        call(base, "/DesktopService.asmx", "CancelInstallation", body)
    calls = received(base)
    assert len(calls) == len(faults) + 1
    assert all(c["operation"] == "CancelInstallation" and c["parameters"] == [["Guid", "g"]] for c in calls)


def version_result(base, product="13"):
    status, answer = call(base, "/Service.asmx", "GetVersionInfo",
                          request_envelope("GetVersionInfo", [("productID", product)]))
    assert status == 200
    match = re.search(rb"<GetVersionInfoResult>(.*)</GetVersionInfoResult>", answer)
    return match.group(1).decode() if match else None


def test_the_update_service_answers_the_version_set_for_the_run_or_the_test(base):
    default = "&lt;Version&gt;&lt;main&gt;3&lt;/main&gt;&lt;minor&gt;0&lt;/minor&gt;" \
              "&lt;build1&gt;12&lt;/build1&gt;&lt;build2&gt;345&lt;/build2&gt;&lt;/Version&gt;"
    assert version_result(base) == default
    assert version_result(base, "12") is None  # a product the service does not know: nil

    post(base + "/_control/update", b"version=3.0.12")
    assert version_result(base).endswith("&lt;build1&gt;12&lt;/build1&gt;&lt;/Version&gt;")
    post(base + "/_control/update", b"document=%3CVERSION%3E%3CMain%3E4")
    assert version_result(base) == "&lt;VERSION&gt;&lt;Main&gt;4"
    post(base + "/_control/update", b"nil=1")
    assert version_result(base) is None
    assert post(base + "/_control/update", b"version=1.2.3.4.5")[0] == 400

    post(base + "/_control/reset")
    assert version_result(base) == default
    assert [c["parameters"] for c in received(base)] == [[["productID", 13]]]
