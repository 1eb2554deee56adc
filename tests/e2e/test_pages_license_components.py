"""The licence and component pages driven like a user: the licence in each
language, the acceptance box and Return, the free-space refusal on a small
drive, the Typical and Custom installation types, and the component list
with its check boxes. Screenshots of both pages in all six languages are
kept as artifacts."""

import os
import pathlib
import subprocess
import tempfile

import pytest

from test_wizard_navigation import BACK, NEXT, WIZARD, wizard  # noqa: F401 (fixture)

ACCEPT, ACCEPT_LABEL, FOLDER, FREE_SPACE = 1004, 1196, 1189, 1192
TYPICAL, CUSTOM = 1003, 1259
MESSAGE_TITLE = "Corvane Installer"
MESSAGE_TEXT = 0xFFFF  # the message box's text control
LOW_SPACE = ("Corvane Installer requires minimum 100 MB of free space on the disk. "
             "Please change the install directory.")

# (language button, code, start of the licence, acceptance label)
LANGUAGES = [
    (1217, "en", "CORVANE 2013 END-USER LICENSE AGREEMENT", "I accept this License Agreement"),
    (1218, "de", "ENDBENUTZER-LIZENZVERTRAG F\u00dcR CORVANE 2013", "Ich akzeptiere diese Lizenzvereinbarung"),
    (1220, "fr", "CONTRAT DE LICENCE UTILISATEUR FINAL DE CORVANE 2013", "J'accepte ce contrat de licence"),
    (1219, "es", "CONTRATO DE LICENCIA DE USUARIO FINAL DE CORVANE 2013", "Acepto este contrato de licencia"),
    (1221, "it", "CONTRATTO DI LICENZA CON L\u2019UTENTE FINALE DI CORVANE 2013", "Accetto il contratto di licenza"),
    (1300, "ja", "\u30a8\u30f3\u30c9\u30e6\u30fc\u30b6\u30fc", "\u4f7f\u7528\u8a31\u8afe\u5951\u7d04\u306b\u540c\u610f\u3057\u307e\u3059"),
]

def licence_text(wizard):
    return wizard.ask("class-text", WIZARD, "RichEdit20W")


def component_list(wizard):
    """(checked, feature bit) of each entry."""
    rows = [line.split() for line in wizard.ask("list", WIZARD).splitlines()]
    return [(row[1] == "1", int(row[2])) for row in rows]


def choose_language(wizard, button):
    wizard.press(button)
    wizard.wait_page(121)


def components_page(wizard):
    wizard.press(CUSTOM)
    wizard.press(NEXT)
    wizard.wait_page(122)


@pytest.mark.parametrize("button,code,title,accept", LANGUAGES, ids=[entry[1] for entry in LANGUAGES])
def test_licence_and_components_in_each_language(wizard, screenshot, button, code, title, accept):
    choose_language(wizard, button)
    assert title in licence_text(wizard)[:200]
    assert wizard.text(ACCEPT_LABEL) == accept
    assert wizard.ask("check", WIZARD, ACCEPT) == "1", "the licence starts accepted"
    assert wizard.enabled(NEXT)
    assert wizard.text(FOLDER).endswith("\\Corvane 2013")
    assert wizard.text(FREE_SPACE).split()[-1] in ("MB", "GB")
    screenshot(f"licence-{code}")

    components_page(wizard)
    entries = component_list(wizard)
    assert (True, 0x400) in entries, "the shell entry is always offered"
    assert all(checked for checked, _ in entries)
    screenshot(f"components-{code}")


def test_switching_the_language_reloads_the_licence(wizard):
    choose_language(wizard, 1217)
    assert LANGUAGES[0][2] in licence_text(wizard)[:200]
    wizard.press(BACK)
    wizard.wait_page(120)
    choose_language(wizard, 1218)
    assert LANGUAGES[1][2] in licence_text(wizard)[:200]
    assert wizard.text(ACCEPT_LABEL) == LANGUAGES[1][3]


def test_clearing_the_box_disables_next_and_return(wizard):
    wizard.key("RETURN")
    wizard.wait_page(121)
    wizard.press(ACCEPT)
    assert wizard.ask("check", WIZARD, ACCEPT) == "0"
    assert not wizard.enabled(NEXT)
    wizard.key("RETURN")
    assert wizard.page() == 121
    assert wizard.ask("check", WIZARD, ACCEPT) == "0", "Return does not touch the box"

    wizard.press(ACCEPT)
    assert wizard.enabled(NEXT)
    wizard.key("RETURN")
    wizard.wait_page(123)  # typical: the component page is passed


def test_back_from_the_components_re_evaluates_the_box(wizard):
    wizard.key("RETURN")
    wizard.wait_page(121)
    components_page(wizard)
    wizard.press(BACK)
    wizard.wait_page(121)
    assert wizard.enabled(NEXT)
    wizard.press(ACCEPT)
    assert not wizard.enabled(NEXT)


def as_root(*command):
    """Runs a command that needs root: directly when the tests run as root
    (as tools/test does on a fresh machine), else through sudo without a
    password prompt."""
    prefix = [] if os.geteuid() == 0 else ["sudo", "-n"]
    return subprocess.run([*prefix, *command], capture_output=True, text=True)


@pytest.fixture
def small_drive(wine):
    """A 50 MB file system mounted as drive Q: of the Wine prefix."""
    mount = pathlib.Path(tempfile.mkdtemp(prefix="corvane-small-"))
    mounted = as_root("mount", "-t", "tmpfs", "-o", "size=50m", "tmpfs", str(mount))
    if mounted.returncode != 0:
        mount.rmdir()
        pytest.fail(f"a 50 MB drive needs mount as root or through password-less sudo: {mounted.stderr.strip()}")
    link = pathlib.Path(wine.env["WINEPREFIX"]) / "dosdevices" / "q:"
    if link.is_symlink():
        link.unlink()
    link.symlink_to(mount)
    yield "Q:\\Corvane 2013"
    link.unlink()
    as_root("umount", str(mount))
    mount.rmdir()


def test_next_is_refused_when_the_drive_has_less_than_100_mb(wizard, small_drive, screenshot):
    wizard.key("RETURN")
    wizard.wait_page(121)
    wizard.ask("set-text", WIZARD, FOLDER, small_drive)
    wizard.press(NEXT)
    assert wizard.ask("wait-window", MESSAGE_TITLE, 10) == ""
    assert wizard.ask("text", MESSAGE_TITLE, MESSAGE_TEXT) == LOW_SPACE
    screenshot("licence-low-space")
    wizard.ask("click", MESSAGE_TITLE, 1)  # OK
    assert wizard.ask("wait-gone", MESSAGE_TITLE, 10) == ""
    assert wizard.page() == 121
