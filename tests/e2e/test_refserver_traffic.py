"""The reference server's count of the body bytes it sent, which the download
benchmark reads to compare a resumed transfer with one started over. It must
count what went out in every way a body leaves the server (a whole file, a
range, a fault that cuts it, a client that breaks off) and nothing of the
control API. No Windows build is needed."""

import http.client
import pathlib
import socket
import sys
import threading
import urllib.request

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from refserver import app, control_api, downloads, packages  # noqa: E402

OPENER = urllib.request.build_opener(urllib.request.ProxyHandler({}))
SIZE = 3 * app.SEND_BLOCK + 12345
# More than the sockets of a loopback connection hold between them.
LARGE_SIZE = 32 << 20


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    folder = tmp_path_factory.mktemp("packages")
    packages.write_pattern_file(folder / "p.msi", SIZE)
    packages.write_pattern_file(folder / "large.msi", LARGE_SIZE)
    reference = app.ReferenceServer(("127.0.0.1", 0))
    control_api.register(reference, str(folder))
    downloads.register(reference, str(folder), "p.msi")
    thread = threading.Thread(target=reference.serve_forever, kwargs={"poll_interval": 0.05}, daemon=True)
    thread.start()
    yield reference
    reference.shutdown()
    reference.server_close()


@pytest.fixture
def base(server):
    url = f"http://127.0.0.1:{server.port}"
    control(url, "/_control/reset", b"")
    return url


def control(base, path, body=None):
    with OPENER.open(urllib.request.Request(base + path, data=body), timeout=10) as answer:
        return answer.read()


def sent(base):
    return int(control(base, "/_control/traffic"))


def fetch(base, path, headers=None):
    """The body as far as it came; a cut answer ends early."""
    connection = http.client.HTTPConnection("127.0.0.1", int(base.rsplit(":", 1)[1]), timeout=10)
    try:
        connection.request("GET", path, headers=headers or {})
        answer = connection.getresponse()
        try:
            return answer.read()
        except http.client.IncompleteRead as error:
            return error.partial
    finally:
        connection.close()


@pytest.mark.parametrize("headers, fault, expected", [
    ({}, None, SIZE),
    ({"Range": f"bytes={SIZE - 1000}-"}, None, 1000),
    ({"Range": "bytes=10-19"}, None, 10),
    ({}, "mode=cut&keep=70000", 70000),
    ({}, "mode=cut", SIZE // 2),
])
def test_each_body_counts_what_went_out(base, headers, fault, expected):
    if fault:
        control(base, "/_control/fault", f"path=/packages/p.msi&times=1&{fault}".encode())
    assert len(fetch(base, "/packages/p.msi", headers)) == expected
    control(base, "/_control/journal?format=json")  # the control API's answers are not counted
    assert sent(base) == expected


def test_the_count_adds_up_across_requests_and_a_reset_clears_it(base):
    fetch(base, "/packages/p.msi")
    fetch(base, "/packages/p.msi", {"Range": "bytes=0-99"})
    fetch(base, "/packages/none.msi")  # a 404 answer's body counts like any other
    assert sent(base) == SIZE + 100 + len(b"no such package\n")
    control(base, "/_control/reset", b"")
    assert sent(base) == 0


def test_a_client_that_breaks_off_leaves_a_count_short_of_the_whole(base):
    port = int(base.rsplit(":", 1)[1])
    with socket.create_connection(("127.0.0.1", port), timeout=10) as client:
        # A small receive buffer, so that the server cannot push the whole file at once.
        client.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        client.sendall(b"GET /packages/large.msi HTTP/1.1\r\nHost: x\r\n\r\n")
        received = client.recv(100)
        assert received.startswith(b"HTTP/1.1 200")
        while len(received) < 65536:  # some of the body too
            received += client.recv(65536)
        client.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
    # The server notices the reset on its next write; the count stays where it was then.
    assert 65536 <= sent(base) < LARGE_SIZE // 2
