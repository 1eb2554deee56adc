"""A whole installation with the real installer under Wine: the language
choice, the licence, a typical installation downloaded from the reference
services through the built-in address, the contact and finish pages, and what
is left behind: the installed product, the registry values and the reports
the statistics service received."""

import json
import pathlib
import urllib.request

import pytest

from test_wizard_navigation import NEXT, WIZARD, Wizard  # noqa: F401

ENGLISH = 1217
SETTINGS = r"HKCU\Software\Corvane 2013\Settings"
PACKAGE = "Corvane2013-3.0.12.345.msi"


def statistics_calls(refserver):
    """The statistics operations received, in order, with their parameters."""
    with urllib.request.urlopen(f"{refserver.origin}/_control/soap?format=json", timeout=10) as answer:
        calls = json.loads(answer.read())
    return [(call["operation"], dict(call["parameters"])) for call in calls if call["path"] == "/DesktopService.asmx"]


@pytest.fixture
def installing_wizard(wine, installer_exe, driver, refserver, build_dir):
    refserver.control("reset")
    process = wine.start(installer_exe)
    assert driver("wait-window", WIZARD, 120)[0] == 0, "the wizard did not open"
    yield Wizard(driver, process)
    wine.end_program()
    wine.end_program("Corvane 2013.exe")  # the finish page started the product
    # Leave the prefix as it was for the other tests: no product installed and
    # no package in the download folder that a later wizard would reuse.
    wine.run("msiexec", "/x", str(build_dir / "tests" / "packages" / PACKAGE), "/qn", timeout=120)
    drive_c = pathlib.Path(wine.env["WINEPREFIX"]) / "drive_c"
    for package in drive_c.glob("users/*/*/*/Corvane Software/Installation/*.msi"):
        package.unlink()


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

    calls = statistics_calls(refserver)
    operations = [operation for operation, _ in calls]
    assert operations == ["StartInstallation", "EndInstallation"], operations
    start, end = calls[0][1], calls[1][1]
    assert start["Language"] == "en" and start["ProductCode"] == "corvane"
    assert "Platform NT" in start["OSVersion"]
    assert end["Guid"] == start["Guid"] and end["MSI_build"] == "3.0.12.345"

    # The product is installed and the settings the product reads are there.
    drive_c = pathlib.Path(wine.env["WINEPREFIX"]) / "drive_c"
    assert list(drive_c.glob("Program Files*/Corvane 2013/Corvane 2013.exe")), "no installed product program"
    install_dir = wine.registry_query(SETTINGS + r"\Links", "INSTALL_DIR")
    assert install_dir and install_dir.endswith(r"\Corvane 2013"), install_dir
    assert wine.registry_query(SETTINGS, "Language") == "0x0"
    assert wine.registry_query(SETTINGS, "GUID") == start["Guid"]
