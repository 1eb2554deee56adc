"""The already-installed page of the real wizard: with the offered version or a
newer one installed by the Windows Installer, the wizard opens on it with its
two texts in the saved language, "Finish" and "Reinstall" in place of Cancel
and Next, and leads on to the welcome page or out through the exit dialog.
Screenshots of the page in all six languages are kept as artifacts."""

import time

import pytest

from test_full_installation import install_product, leave_no_product
from test_pages_welcome_finish import texts
from test_wizard_navigation import (CANCEL, EXIT_DIALOG, EXIT_YES, NEXT, WIZARD, WM_WIZARD_CLOSE,  # noqa: F401
                                    Wizard, wizard)

SETTINGS = r"HKCU\Software\Corvane 2013\Settings"
MESSAGE, HINT = 1240, 1241
SAME_VERSION_TEXT, NEWER_VERSION_TEXT = 4, 1240
LANGUAGE_VALUES = {"en": 0, "fr": 1, "de": 2, "es": 3, "it": 4, "ja": 5}
# The update service offers 3.0.12.345.
SAME, NEWER = "Corvane2013-3.0.12.345.msi", "Corvane2013-3.0.13.0.msi"


@pytest.fixture
def installed(request, wine, build_dir):
    """The product installed from the package given as the parameter and the
    saved language set; both are taken away again afterwards."""
    package, language = request.param
    install_product(wine, build_dir, package)
    wine.run("reg", "add", SETTINGS, "/v", "Language", "/t", "REG_DWORD", "/d", LANGUAGE_VALUES[language], "/f")
    yield language
    leave_no_product(wine, build_dir)
    wine.run("reg", "delete", SETTINGS, "/v", "Language", "/f")


def normalised(text):
    return text.replace("\r", "")  # the driver's output turns each line end into CR LF


@pytest.mark.parametrize("installed,message", [
    pytest.param((SAME, language), SAME_VERSION_TEXT, id=f"same-{language}") for language in LANGUAGE_VALUES
] + [pytest.param((NEWER, "en"), NEWER_VERSION_TEXT, id="newer-en")], indirect=["installed"])
def test_opens_on_the_installed_page_in_the_saved_language(installed, wizard, screenshot, message):
    table = texts(installed)
    # The window shows first; the page follows the update service's answer.
    wizard.wait_page(119)
    assert normalised(wizard.text(MESSAGE)) == normalised(table[message])
    assert normalised(wizard.text(HINT)) == normalised(table[HINT])
    buttons = wizard.buttons()
    assert buttons["cancel"][:2] == (True, table[49])  # "Finish"
    assert buttons["next"][:2] == (True, table[51])    # "Reinstall"
    assert not buttons["back"][0]
    screenshot(f"page-installed-{'same' if message == SAME_VERSION_TEXT else 'newer'}-{installed}")


@pytest.mark.parametrize("installed", [(SAME, "en")], indirect=True)
def test_reinstall_leads_to_the_welcome_page_without_buttons(installed, wizard):
    wizard.wait_page(119)
    wizard.press(NEXT)
    wizard.wait_page(120)
    assert not any(visible for visible, *_ in wizard.buttons().values())


@pytest.mark.parametrize("installed", [(SAME, "de")], indirect=True)
def test_finish_asks_first_and_yes_ends_the_wizard(installed, wizard, refserver):
    wizard.wait_page(119)
    wizard.press(CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""
    wizard.ask("press", EXIT_DIALOG, EXIT_YES)
    assert wizard.ask("wait-gone", WIZARD, 15) == ""
    assert refserver.statistics_calls() == []  # no language chosen in this run


@pytest.mark.parametrize("installed", [(SAME, "en")], indirect=True)
def test_a_silent_update_service_holds_neither_the_window_nor_the_page_for_long(installed, refserver, wine,
                                                                                installer_exe, driver):
    # The service takes the question and never answers; its exchange would
    # wait 30 s. The window shows at once, and after the service's bound the
    # page is the one a failed service gives: the installed version counts
    # as newer than an offer of 0.0.0.0.
    refserver.control("fault", path="/Service.asmx", mode="silent")
    started = time.monotonic()
    process = wine.start(installer_exe)
    try:
        assert driver("wait-window", WIZARD, 60)[0] == 0, "the wizard did not open"
        wizard = Wizard(driver, process)
        wizard.wait_page(119)
        assert time.monotonic() - started < 15, "the page waited for the update service's own timeout"
        assert normalised(wizard.text(MESSAGE)) == normalised(texts(installed)[NEWER_VERSION_TEXT])
    finally:
        driver("send", WIZARD, WM_WIZARD_CLOSE, 0)
        try:
            process.wait(timeout=20)
        except Exception:
            wine.end_program()
