"""Shared fixtures of the end-to-end tests: the Windows build, a private Wine
prefix with its own Xvfb display, the test driver, and screenshots kept as
artifacts. The tests run the real installer the way a user would."""

import json
import os
import pathlib
import re
import shlex
import subprocess
import tempfile
import urllib.parse
import urllib.request

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]


def layout(prefix):
    """The places of the controls whose names start with `prefix` ("IDC_FINISH_"
    for the finish page) in the wizard's layout table (resources/WizardLayout.h),
    the one the dialog templates are written with: control id to (x, y, width,
    height) in the pixels of its page or dialog. Ids repeat across pages, so
    each page is read on its own."""
    resources = ROOT / "resources"
    ids = dict(re.findall(r"^#define (IDC_\w+) (\d+)", (resources / "resource.h").read_text(), re.M))
    places = re.findall(r"^#define (IDC_\w+)_PLACE +(\d+), (\d+), (\d+), (\d+)$",
                        (resources / "WizardLayout.h").read_text(), re.M)
    page = {int(ids[name]): tuple(int(value) for value in rect) for name, *rect in places if name.startswith(prefix)}
    assert page and len(page) == sum(name.startswith(prefix) for name, *_ in places), prefix
    return page


_SKIN_PICTURES = pathlib.Path(tempfile.mkdtemp(prefix="corvane-skin-"))


def skin_picture(name):
    """The PNG file of the skin picture `name` ("exit-en.png"): its own file in
    resources/png, or the picture cut out of the strip that holds it."""
    resources = ROOT / "resources"
    own = resources / "png" / name
    if own.exists():
        return own
    cut = _SKIN_PICTURES / name
    if not cut.exists():
        picture = "IDPNG_" + name[:-len(".png")].upper().replace("-", "_")
        cells = re.findall(r"^\{(\w+), (\w+), (\d+), (\d+), (\d+), (\d+)\},$",
                           (resources / "SkinStripCells.inc").read_text(), re.M)
        strip, x, y, width, height = next(rest for cell, *rest in cells if cell == picture)
        files = dict(re.findall(r'^(\w+) +PNG +"([^"]+)"$', (resources / "SkinImages.rc").read_text(), re.M))
        subprocess.run(["/usr/bin/convert", str(resources / files[strip]), "-crop", f"{width}x{height}+{x}+{y}",
                        "+repage", str(cut)], check=True)
    return cut


def require(module):
    """A reader module the checks need; its absence fails the test, since the
    test bed (tools/setup) installs every one."""
    try:
        return __import__(module)
    except ImportError:
        pytest.fail(f"python module {module} is missing: install Debian's python3-{module} "
                    "and run with /usr/bin/python3")


def windows_build_dir():
    return pathlib.Path(os.environ.get("CORVANE_WINDOWS_BUILD", ROOT / "build" / "windows"))


def native_build_dir():
    return pathlib.Path(os.environ.get("CORVANE_NATIVE_BUILD", ROOT / "build" / "native"))


def winpath(path):
    """A Linux path as the Windows programs under Wine see it."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


class WineBed:
    """A Wine prefix and display of the test session (tools/wine-env)."""

    def __init__(self, directory, trusted_root):
        self.directory = pathlib.Path(directory)
        self.tool = ROOT / "tools" / "wine-env"
        subprocess.run([self.tool, "setup", self.directory], check=True)
        # The authority that signs the test packages, as a machine would trust its publisher's.
        subprocess.run([self.tool, "trust", self.directory, trusted_root], check=True)
        shell = subprocess.run([self.tool, "shell", self.directory], check=True, capture_output=True, text=True)
        self.env = dict(os.environ)
        for word in shlex.split(shell.stdout.replace("export ", "")):
            key, _, value = word.partition("=")
            self.env[key] = value

    @property
    def display(self):
        return self.env["DISPLAY"]

    def run(self, program, *args, cwd=None, timeout=60):
        """Runs a Windows program to its end; returns the CompletedProcess.
        Its output goes through files, not pipes: a Wine process started
        meanwhile (a restarted wineserver or service) inherits the descriptors
        and would hold a pipe open long after the program has ended."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            ended = subprocess.run(["wine", str(program), *map(str, args)], cwd=cwd, env=self.env,
                                   stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(ended.args, ended.returncode, out.read(), err.read())

    def start(self, program, *args, cwd=None):
        """Starts a Windows program and returns at once (a subprocess.Popen)."""
        return subprocess.Popen(["wine", str(program), *map(str, args)], cwd=cwd, env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def end_program(self, image="CorvaneInstaller.exe"):
        """Ends every process of that image in the prefix, however it is stuck:
        a leftover installer would hold the single-instance mutex."""
        self.run("taskkill", "/f", "/im", image, timeout=30)

    def registry_query(self, key, value):
        """The data of a registry value as `reg query` prints it, or None."""
        result = self.run("reg", "query", key, "/v", value)
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            parts = line.split(None, 2)
            if parts and parts[0] == value and len(parts) >= 2:
                return parts[2] if len(parts) == 3 else ""
        return None

    def stop(self):
        subprocess.run([self.tool, "stop", self.directory], check=False)


class Driver:
    """The Win32 test driver (tools/testdriver): finds windows by title and
    works their controls by id."""

    def __init__(self, bed, program):
        self.bed = bed
        self.program = program

    def __call__(self, *args, timeout=180):
        result = self.bed.run(self.program, *args, timeout=timeout)
        return result.returncode, result.stdout.decode("utf-8", "replace").strip()


class RefServer:
    """The reference services (tools/refserver) on the port of the built-in
    addresses, serving the test packages of the build."""

    PORT = 48080

    def __init__(self, state, packages):
        self.state = pathlib.Path(state)
        self.ctl = ["/usr/bin/python3", str(ROOT / "tools" / "refserver" / "ctl.py")]
        subprocess.run([*self.ctl, "start", str(self.state), "--port", str(self.PORT), "--packages", str(packages),
                        "--default-package", "Corvane2013-3.0.12.345.msi"], check=True, capture_output=True)
        self.origin = f"http://127.0.0.1:{self.PORT}"

    def control(self, action, **fields):
        data = urllib.parse.urlencode(fields).encode() if fields or action != "journal" else None
        method = "GET" if action in ("journal", "log", "soap") else "POST"
        request = urllib.request.Request(f"{self.origin}/_control/{action}", data=data if method == "POST" else None,
                                         method=method)
        with urllib.request.urlopen(request, timeout=10) as answer:
            return answer.read().decode("utf-8", "replace")

    def statistics_calls(self):
        """The statistics operations received since the last reset, in order,
        with their parameters. Every flow expects its reports accepted: a
        request the service rejected (its problem named) fails the test, so
        that a malformed report cannot pass on its operation name alone."""
        with urllib.request.urlopen(f"{self.origin}/_control/soap?format=json", timeout=10) as answer:
            calls = [call for call in json.loads(answer.read()) if call["path"] == "/DesktopService.asmx"]
        rejected = [(call["operation"], call["problem"]) for call in calls if call["problem"]]
        assert not rejected, f"the statistics service rejected {rejected}"
        return [(call["operation"], dict(call["parameters"])) for call in calls]

    def stop(self):
        subprocess.run([*self.ctl, "stop", str(self.state)], check=False, capture_output=True)


@pytest.fixture(scope="session")
def refserver(build_dir):
    server = RefServer(build_dir / "e2e-refserver", build_dir / "tests" / "packages")
    yield server
    server.stop()


@pytest.fixture(autouse=True)
def download_waits(request):
    """Tests that drive the wizard through its pages, but not a real
    installation, keep the download page waiting at the package address, so
    that the page stays put until the test moves on."""
    if "wizard" not in request.fixturenames or request.node.get_closest_marker("real_download"):
        yield
        return
    server = request.getfixturevalue("refserver")
    server.control("reset")
    server.control("fault", path="/download.asp", mode="hold")
    yield
    server.control("release")
    server.control("reset")


@pytest.fixture(scope="session")
def build_dir():
    path = windows_build_dir()
    assert (path / "src" / "app" / "installer" / "CorvaneInstaller.exe").exists(), \
        f"no Windows build in {path}: run tools/test or cmake --build --preset windows"
    return path


@pytest.fixture(scope="session")
def installer_exe(build_dir):
    return build_dir / "src" / "app" / "installer" / "CorvaneInstaller.exe"


@pytest.fixture(scope="session")
def wine(build_dir):
    bed = WineBed(build_dir / "wine-e2e", build_dir / "tests" / "packages" / "pki" / "root.der")
    yield bed
    bed.stop()


@pytest.fixture(scope="session")
def driver(wine, build_dir):
    return Driver(wine, build_dir / "tools" / "testdriver" / "testdriver.exe")


@pytest.fixture(scope="session")
def artifacts(build_dir):
    path = build_dir / "e2e-artifacts"
    path.mkdir(exist_ok=True)
    return path


@pytest.fixture(autouse=True)
def no_installer_left_behind(request):
    """After each test that used Wine, no installer may outlive it."""
    yield
    if "wine" in request.fixturenames:
        request.getfixturevalue("wine").end_program()


@pytest.fixture
def screenshot(wine, artifacts):
    """Saves the whole display as artifacts/NAME.png and returns the path."""
    def take(name):
        target = artifacts / f"{name}.png"
        subprocess.run(["/usr/bin/import", "-display", wine.display, "-window", "root", str(target)],
                       check=True, env=wine.env, timeout=30)
        return target
    return take
