"""The download and install page of the real installer on its other paths:
a custom choice of features, a server error with Retry, a body that is not a
package, a package larger than the free space, the user cancelling during the
transfer (and thinking better of it, also while the server drops the idle
connection), Retry after the resumed attempts ran out, a package already
downloaded, and a reinstall over the same version. Each
ends in a documented state: the contact page after a good installation, or
the wizard closed with the cancel reported and nothing installed."""

import hashlib
import shutil
import time

import pytest

from conftest import winpath
from test_full_installation import (download_folder, install_product, installed_files,  # noqa: F401
                                    installing_wizard, leave_no_product)
from test_pages_license_components import CUSTOM, component_list
from test_pages_welcome_finish import wait_for
from test_wizard_navigation import EXIT_DIALOG, EXIT_NO, EXIT_YES, NEXT, WIZARD, Wizard

pytestmark = pytest.mark.real_download

ENGLISH = 1217
PAGE_CANCEL = 1216
ERROR_DIALOG = EXIT_DIALOG  # both are untitled popups of the wizard
ERROR_CANCEL, ERROR_RETRY, ERROR_CLOSE = 1363, 1364, 1367
PACKAGE = "Corvane2013-3.0.12.345.msi"
PACKAGE_PATH = f"/packages/{PACKAGE}"
SHELL_BIT = 0x400
# The file each feature of the component list installs, by the list's feature bit.
FEATURE_FILES = {0x20: "WordIntegration.dat", 0x40: "ExcelIntegration.dat", 0x80: "OutlookIntegration.dat",
                 0x100: "PowerPointIntegration.dat", 0x200: "PublisherIntegration.dat",
                 SHELL_BIT: "ShellIntegration.dat", 0x800: "InternetExplorerIntegration.dat",
                 0x1000: "FirefoxIntegration.dat", 0x2000: "Previewer.dat"}


def operations(refserver):
    return [operation for operation, _ in refserver.statistics_calls()]


def requests(refserver, path):
    """The GET requests the server received for `path`, in order. Each
    download asks twice: once to learn the file name (a GET that ends at the
    first body bytes), once for the transfer."""
    lines = refserver.control("journal").splitlines()
    return [line for line in lines if line.split("\t")[:2] == ["GET", path]]


def start_typical(wizard):
    wizard.press(ENGLISH)
    wizard.wait_page(121)
    wizard.press(NEXT)


def wait_installed(wizard, screenshot=None, name=""):
    code, out = wizard.driver("wait-page", WIZARD, 124, 240)
    if screenshot:
        screenshot(name)
    assert code == 0, f"the installation did not reach the contact page (page {out})"


def test_custom_installs_exactly_the_ticked_features(installing_wizard, wine, refserver, screenshot):
    wizard = installing_wizard
    wizard.press(ENGLISH)
    wizard.wait_page(121)
    wizard.press(CUSTOM)
    wizard.press(NEXT)
    wizard.wait_page(122)
    entries = component_list(wizard)
    shell = [bit for _, bit in entries].index(SHELL_BIT)
    # A real click on the shell entry's box clears it; the space bar ticks it
    # again, a second click clears it for good.
    wizard.ask("list-press", WIZARD, shell)
    assert component_list(wizard)[shell] == (False, SHELL_BIT)
    screenshot("components-shell-cleared")
    wizard.key("SPACE")
    assert component_list(wizard)[shell] == (True, SHELL_BIT)
    wizard.ask("list-press", WIZARD, shell)
    entries = component_list(wizard)
    assert [checked for checked, _ in entries] == [index != shell for index in range(len(entries))]
    wizard.press(NEXT)
    wait_installed(wizard)

    # The main program always; of the list's features exactly the ticked
    # ones; none of those the list did not offer.
    assert installed_files(wine, "CorvaneCore.dat") and installed_files(wine, "Corvane 2013.exe")
    ticked = {bit for checked, bit in entries if checked}
    installed = {bit for bit, name in FEATURE_FILES.items() if installed_files(wine, name)}
    assert installed == ticked, {FEATURE_FILES[bit]: bit in installed for bit in FEATURE_FILES}
    assert operations(refserver) == ["StartInstallation", "EndInstallation"]


def test_a_server_error_offers_retry_which_starts_over_from_the_built_in_address(installing_wizard, wine,
                                                                                 refserver, screenshot):
    wizard = installing_wizard
    refserver.control("fault", path="/download.asp", mode="status", code="404", times="1")
    start_typical(wizard)
    assert wizard.ask("wait-window", ERROR_DIALOG, 60) == ""
    screenshot("download-error-404")
    wizard.ask("press", ERROR_DIALOG, ERROR_RETRY)
    wait_installed(wizard)
    assert len(requests(refserver, "/download.asp")) == 3  # the refused one, then a whole download
    assert len(requests(refserver, PACKAGE_PATH)) == 2
    # Retry reports nothing; the failure before it left only its outcome record.
    assert operations(refserver) == ["StartInstallation", "EndInstallation"]


def test_a_body_that_is_no_package_is_fetched_once_more_from_the_built_in_address(installing_wizard, wine,
                                                                                  refserver):
    wizard = installing_wizard
    refserver.control("fault", path="/download.asp", mode="redirect", location="/packages/NotAPackage.msi",
                      times="2")
    start_typical(wizard)
    wait_installed(wizard)
    assert len(requests(refserver, "/packages/NotAPackage.msi")) == 2
    assert len(requests(refserver, PACKAGE_PATH)) == 2
    assert installed_files(wine, "Corvane 2013.exe")


@pytest.mark.parametrize("answer", ["yes", "no"])
def test_cancel_during_the_transfer_asks_first(installing_wizard, wine, refserver, screenshot, answer):
    wizard = installing_wizard
    # About 15 seconds for the whole package: time to look and to answer.
    refserver.control("fault", path=PACKAGE_PATH, mode="trickle", chunk="32768", interval="0.1")
    start_typical(wizard)
    wizard.wait_page(123)
    assert wait_for(lambda: wizard.enabled(PAGE_CANCEL), 60), "the page's Cancel button was never enabled"
    screenshot(f"download-in-progress-{answer}")
    wizard.press(PAGE_CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""
    if answer == "no":
        wizard.ask("press", EXIT_DIALOG, EXIT_NO)
        wait_installed(wizard)
        assert operations(refserver) == ["StartInstallation", "EndInstallation"]
        return
    wizard.ask("press", EXIT_DIALOG, EXIT_YES)
    assert wizard.ask("wait-gone", WIZARD, 30) == ""
    wizard.process.wait(timeout=30)
    assert operations(refserver) == ["StartInstallation", "CancelInstallation"]
    assert not installed_files(wine, "Corvane 2013.exe")



def header(line, name):
    """The value of header `name` in a journal line, or None."""
    prefix = name.lower() + ": "
    for field in line.split("\t")[4:]:
        if field.lower().startswith(prefix):
            return field[len(prefix):]
    return None


def test_an_idle_connection_closed_while_the_exit_question_is_open_is_resumed_after_no(installing_wizard, wine,
                                                                                        refserver):
    wizard = installing_wizard
    # The name request and the transfer: a first megabyte, then the server
    # holds the connection idle for a while and closes it, as servers and
    # proxies do with a transfer nobody reads.
    linger = 5.0
    refserver.control("fault", path=PACKAGE_PATH, mode="cut", keep="1000000", linger=str(linger), times="2")
    start_typical(wizard)
    wizard.wait_page(123)
    assert wait_for(lambda: len(requests(refserver, PACKAGE_PATH)) == 2, 60), "the transfer never started"
    transfer_seen = time.monotonic()
    assert wait_for(lambda: wizard.enabled(PAGE_CANCEL), 10), "the page's Cancel button was never enabled"
    wizard.press(PAGE_CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""
    time.sleep(max(0.0, transfer_seen + linger + 1.5 - time.monotonic()))
    # Paused: nothing was asked while the question was open.
    assert len(requests(refserver, PACKAGE_PATH)) == 2
    wizard.ask("press", EXIT_DIALOG, EXIT_NO)
    wait_installed(wizard)

    transfers = requests(refserver, PACKAGE_PATH)
    assert len(transfers) == 3, "the closed transfer was not taken up once where it broke"
    assert header(transfers[2], "Range") == "bytes=1000000-"
    assert header(transfers[2], "If-Range")
    assert installed_files(wine, "Corvane 2013.exe")
    assert operations(refserver) == ["StartInstallation", "EndInstallation"]


def test_retry_after_the_attempts_ran_out_continues_the_partial_file(installing_wizard, wine, refserver):
    wizard = installing_wizard
    # Every request for the package breaks after 100,000 bytes: the engine's
    # resumed attempts each add their part, then it gives up.
    refserver.control("fault", path=PACKAGE_PATH, mode="cut", keep="100000")
    start_typical(wizard)
    assert wizard.ask("wait-window", ERROR_DIALOG, 120) == "", "no error dialog"
    partial = download_folder(wine) / PACKAGE
    kept = partial.stat().st_size
    assert 0 < kept < 4_000_000 and kept % 100000 == 0, kept

    refserver.control("reset")  # a healthy server from here on
    wizard.ask("press", ERROR_DIALOG, ERROR_RETRY)
    wait_installed(wizard)
    transfers = requests(refserver, PACKAGE_PATH)
    assert len(transfers) == 2, transfers  # the name request, then the rest of the file
    assert header(transfers[1], "Range") == f"bytes={kept}-"
    assert header(transfers[1], "If-Range")
    assert installed_files(wine, "Corvane 2013.exe")

# A package server that misbehaves on every request for the package: each
# ends in the download error dialog once the engine has given up (a cut
# transfer after its resumed attempts), never in a file handed on as a
# package. An error page (status 500) is an error with its status, not a file.
BROKEN_PACKAGE_SERVER = [
    pytest.param({"mode": "cut", "keep": "100000"}, id="cut-short"),
    pytest.param({"mode": "drop"}, id="connection-dropped"),
    pytest.param({"mode": "nothttp"}, id="not-http"),
    pytest.param({"mode": "status", "code": "500"}, id="server-error"),
]


@pytest.mark.parametrize("fault", BROKEN_PACKAGE_SERVER)
def test_a_broken_transfer_ends_the_wizard_and_installs_nothing(installing_wizard, wine, refserver, fault):
    wizard = installing_wizard
    refserver.control("fault", path=PACKAGE_PATH, **fault)
    start_typical(wizard)
    assert wizard.ask("wait-window", ERROR_DIALOG, 120) == "", "no error dialog"
    wizard.ask("press", ERROR_DIALOG, ERROR_CANCEL)
    assert wizard.ask("wait-gone", WIZARD, 120) == ""
    wizard.process.wait(timeout=30)
    assert not installed_files(wine, "Corvane 2013.exe")
    assert operations(refserver) == ["StartInstallation", "CancelInstallation"]


# The English text of a package the disk will not take.
DISK_WRITE_FAILED = ("The installation package cannot be saved: the disk is full or the file cannot be "
                     "written. Please, free some disk space and try again.")


def test_a_package_larger_than_the_free_space_is_refused_before_its_body(installing_wizard, wine, refserver,
                                                                         screenshot):
    wizard = installing_wizard
    refserver.control("fault", path=PACKAGE_PATH, mode="huge")
    start_typical(wizard)
    assert wizard.ask("wait-window", ERROR_DIALOG, 120) == "", "no error dialog"
    screenshot("download-error-disk-full")
    assert " ".join(wizard.ask("text", ERROR_DIALOG).split()) == DISK_WRITE_FAILED
    assert wizard.ask("visible", ERROR_DIALOG, ERROR_RETRY) == "1"
    # Refused before any byte was written, and not asked for again.
    assert (download_folder(wine) / PACKAGE).stat().st_size == 0
    assert len(requests(refserver, PACKAGE_PATH)) == 2  # the name request and one transfer
    wizard.ask("press", ERROR_DIALOG, ERROR_CANCEL)
    assert wizard.ask("wait-gone", WIZARD, 120) == ""
    wizard.process.wait(timeout=30)
    assert not installed_files(wine, "Corvane 2013.exe")
    assert operations(refserver) == ["StartInstallation", "CancelInstallation"]


@pytest.fixture
def package_downloaded_before(wine, build_dir):
    folder = download_folder(wine)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(build_dir / "tests" / "packages" / PACKAGE, folder / PACKAGE)


def test_a_package_already_downloaded_is_installed_without_a_transfer(package_downloaded_before,
                                                                     installing_wizard, wine, refserver):
    wizard = installing_wizard
    start_typical(wizard)
    wait_installed(wizard)
    assert len(requests(refserver, PACKAGE_PATH)) == 1  # the name only
    assert installed_files(wine, "Corvane 2013.exe")
    assert operations(refserver) == ["StartInstallation", "EndInstallation"]


@pytest.fixture
def same_version_installed(wine, build_dir):
    install_product(wine, build_dir, PACKAGE)
    # A file of the installed version that only a new installation brings back.
    for core in installed_files(wine, "CorvaneCore.dat"):
        core.unlink()


def test_reinstall_removes_the_installed_version_and_installs_again(same_version_installed, installing_wizard,
                                                                   wine, refserver):
    wizard = installing_wizard
    wizard.wait_page(119)  # after the update service's answer
    wizard.press(NEXT)  # "Reinstall"
    wizard.wait_page(120)
    start_typical(wizard)
    wait_installed(wizard)
    assert installed_files(wine, "CorvaneCore.dat"), "the package was not installed again"
    assert operations(refserver) == ["StartInstallation", "EndInstallation"]


@pytest.fixture
def stamped_installer(request, wine, installer_exe, build_dir, tmp_path):
    """A configured copy of the installer carrying the package digest given
    as the parameter ("right" or "wrong")."""
    digest = hashlib.sha256((build_dir / "tests" / "packages" / PACKAGE).read_bytes()).hexdigest()
    if request.param == "wrong":
        digest = digest[::-1]
    copy = tmp_path / "CorvaneInstaller.exe"
    result = wine.run(installer_exe, "-build", winpath(copy), f"DOWNLOAD_SHA256={digest.upper()}")
    assert result.returncode == 0 and copy.exists()
    return copy


@pytest.mark.parametrize("stamped_installer", ["right", "wrong"], indirect=True)
def test_a_stamped_digest_decides_whether_the_package_is_installed(stamped_installer, wine, driver, refserver,
                                                                   build_dir, screenshot, request):
    refserver.control("reset")
    process = wine.start(stamped_installer)
    try:
        assert driver("wait-window", WIZARD, 120)[0] == 0, "the wizard did not open"
        wizard = Wizard(driver, process)
        start_typical(wizard)
        if request.node.callspec.params["stamped_installer"] == "right":
            wait_installed(wizard)
            assert installed_files(wine, "Corvane 2013.exe")
            return
        # A package whose digest differs is fetched once more from the
        # built-in address, then refused like a failed download.
        assert wizard.ask("wait-window", ERROR_DIALOG, 120) == ""
        screenshot("download-digest-refused")
        wizard.ask("press", ERROR_DIALOG, ERROR_CLOSE)
        assert wizard.ask("wait-gone", WIZARD, 30) == ""
        assert len(requests(refserver, PACKAGE_PATH)) == 4  # two downloads
        assert not installed_files(wine, "Corvane 2013.exe")
        assert operations(refserver) == ["StartInstallation", "CancelInstallation"]
    finally:
        leave_no_product(wine, build_dir)
        refserver.control("reset")


# Packages that must never be installed by a copy without a stamped digest:
# one without a signature, one signed by a publisher other than the pinned
# one, one from an authority the machine does not trust, one signed with the
# pinned publisher's name by such an authority, and one changed after signing.
UNVERIFIED = ["Unsigned", "OtherPublisher", "Stranger", "Impostor", "Altered"]


@pytest.mark.parametrize("variant", UNVERIFIED)
def test_a_package_without_the_publishers_trusted_signature_is_never_installed(installing_wizard, wine, refserver,
                                                                               screenshot, variant):
    wizard = installing_wizard
    refused = f"/packages/Corvane2013-{variant}.msi"
    # Both downloads, from the address and again from the built-in one, get it.
    refserver.control("fault", path="/download.asp", mode="redirect", location=refused)
    start_typical(wizard)
    assert wizard.ask("wait-window", ERROR_DIALOG, 120) == ""
    screenshot(f"download-unverified-{variant}")
    wizard.ask("press", ERROR_DIALOG, ERROR_CLOSE)
    assert wizard.ask("wait-gone", WIZARD, 30) == ""
    assert len(requests(refserver, refused)) == 4  # two downloads
    assert not installed_files(wine, "Corvane 2013.exe")
    assert operations(refserver) == ["StartInstallation", "CancelInstallation"]


@pytest.fixture
def altered_package_downloaded_before(wine, build_dir):
    """The download folder holds a package under the right name that was
    changed after it was signed."""
    folder = download_folder(wine)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(build_dir / "tests" / "packages" / "Corvane2013-Altered.msi", folder / PACKAGE)


def test_a_package_in_the_download_folder_is_reused_only_when_verified(altered_package_downloaded_before,
                                                                       installing_wizard, wine, refserver):
    wizard = installing_wizard
    start_typical(wizard)
    wait_installed(wizard)
    assert len(requests(refserver, PACKAGE_PATH)) == 2  # the name, then a whole download
    assert installed_files(wine, "Corvane 2013.exe")
