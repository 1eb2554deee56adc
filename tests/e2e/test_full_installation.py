"""A whole installation with the real installer under Wine: the language
choice, the licence, a typical installation downloaded from the reference
services through the built-in address, the contact and finish pages, and what
is left behind: the installed product, the registry values and the reports
the statistics service received."""

import pathlib

import pytest

from test_wizard_navigation import NEXT, WIZARD, Wizard  # noqa: F401

ENGLISH = 1217
SETTINGS = r"HKCU\Software\Corvane 2013\Settings"
PACKAGE = "Corvane2013-3.0.12.345.msi"


def download_folder(wine):
    users = pathlib.Path(wine.env["WINEPREFIX"]) / "drive_c" / "users"
    return next(users.glob("*/AppData/Roaming")) / "Corvane Software" / "Installation"


def install_product(wine, build_dir, package):
    """Installs a test package silently, as an earlier installation would have."""
    result = wine.run("msiexec", "/i", build_dir / "tests" / "packages" / package, "/qn", timeout=180)
    assert result.returncode == 0, result.stderr.decode("utf-8", "replace")[-2000:]


def leave_no_product(wine, build_dir):
    """The prefix as the other tests expect it: no product installed and no
    package in the download folder that a later wizard would reuse."""
    wine.end_program()
    wine.end_program("Corvane 2013.exe")  # the finish page may have started the product
    for package in ("Corvane2013-3.0.12.345.msi", "Corvane2013-3.0.13.0.msi"):
        wine.run("msiexec", "/x", str(build_dir / "tests" / "packages" / package), "/qn", timeout=120)
    for package in download_folder(wine).glob("*.msi"):
        package.unlink()


def installed_files(wine, name):
    drive_c = pathlib.Path(wine.env["WINEPREFIX"]) / "drive_c"
    return list(drive_c.glob(f"Program Files*/Corvane 2013/{name}"))


@pytest.fixture
def installing_wizard(wine, installer_exe, driver, refserver, build_dir):
    """A wizard that really downloads and installs (tests mark themselves
    real_download). Fixtures a test names before it prepare the prefix first."""
    refserver.control("reset")
    process = wine.start(installer_exe)
    assert driver("wait-window", WIZARD, 120)[0] == 0, "the wizard did not open"
    yield Wizard(driver, process)
    leave_no_product(wine, build_dir)
    refserver.control("reset")


@pytest.mark.real_download
def test_typical_installation_from_welcome_to_finish(installing_wizard, wine, refserver, screenshot):
    wizard = installing_wizard
    wizard.press(ENGLISH)
    wizard.wait_page(121)
    wizard.press(NEXT)  # typical: the component page is passed, the download starts

    code, out = wizard.driver("wait-page", WIZARD, 124, 240)
    screenshot("full-installation-after-download")
    assert code == 0, f"the installation did not reach the contact page (page {out})"
    wizard.press(NEXT)
    wizard.wait_page(125)
    screenshot("full-installation-finish")
    wizard.press(NEXT)
    assert wizard.ask("wait-gone", WIZARD, 30) == ""

    journal = refserver.control("journal")
    assert "/download.asp" in journal and f"/packages/{PACKAGE}" in journal

    calls = refserver.statistics_calls()
    operations = [operation for operation, _ in calls]
    assert operations == ["StartInstallation", "EndInstallation"], operations
    start, end = calls[0][1], calls[1][1]
    assert start["Language"] == "en" and start["ProductCode"] == "corvane"
    assert "Platform NT" in start["OSVersion"]
    assert end["Guid"] == start["Guid"] and end["MSI_build"] == "3.0.12.345"

    # The product is installed and the settings the product reads are there.
    assert list(installed_files(wine, "Corvane 2013.exe")), "no installed product program"
    install_dir = wine.registry_query(SETTINGS + r"\Links", "INSTALL_DIR")
    assert install_dir and install_dir.endswith(r"\Corvane 2013"), install_dir
    assert wine.registry_query(SETTINGS, "Language") == "0x0"
    assert wine.registry_query(SETTINGS, "GUID") == start["Guid"]
