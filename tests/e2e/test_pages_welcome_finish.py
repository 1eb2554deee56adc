"""The welcome, send-by-e-mail and finish pages of the real wizard: language
buttons with their preview, the texts and places of the pages in every
language, and what Finish leaves behind (shortcuts, association values, the
product started, the thank-you page handed to the browser). Screenshots of
the pages in all six languages are kept as artifacts."""

import pathlib
import re
import shutil
import subprocess
import time

import pytest

from conftest import ROOT, layout, skin_picture
from test_wizard_navigation import (BACK, CANCEL, MAIN_BUTTONS, NEXT, WIZARD, WM_WIZARD_NEXT, download_page,  # noqa: F401
                                    screen_pixels, wizard)

LANGUAGE_BUTTONS = {"en": 1217, "de": 1218, "es": 1219, "fr": 1220, "it": 1221, "ja": 1300}
TABLES = {"en": "English", "de": "German", "es": "Spanish", "fr": "French", "it": "Italian", "ja": "Japanese"}
LINK_CODES = {"en": "en", "de": "de", "es": "es", "fr": "fr", "it": "it", "ja": "jp"}
PREVIEWS = {"en": "language-caption-en.png", "de": "language-caption-de.png", "ja": "language-caption-ja.png"}
INSTALL_FOLDER = 1189
FINISH_BOXES = (1008, 1009, 1010, 1004)
FINISH_LABELS = (1231, 1232, 1203, 1204, 1205, 1206)
EMAIL_LABELS = (1255, 1254, 1297, 1253, 1258)
PAGE_PLACES = {**layout("IDC_EMAIL_"), **layout("IDC_FINISH_")}
PAGE_TOP = 30
PRODUCT = "Corvane 2013"


def texts(language):
    """The text table of a language, item id to text."""
    source = (ROOT / "src" / "language" / f"TextTable{TABLES[language]}.cpp").read_text(encoding="utf-8")
    table = {}
    for item, text in re.findall(r'\{(\d+), u"((?:[^"\\]|\\.)*)"', source):
        table.setdefault(int(item), text.replace("\\r", "\r").replace("\\n", "\n").replace('\\"', '"'))
    return table


def choose(wizard, language):
    wizard.press(LANGUAGE_BUTTONS[language])
    wizard.wait_page(121)


def assert_place(wizard, control):
    """The control stands where the layout table puts it on its page."""
    x, y, *_ = PAGE_PLACES[control]
    assert wizard.rect(control)[:2] == (x, y + PAGE_TOP), control


def unix_path(wine, windows_path):
    prefix = pathlib.Path(wine.env["WINEPREFIX"])
    drive, rest = windows_path.split(":", 1)
    assert drive.upper() == "C", windows_path
    return prefix / "drive_c" / rest.strip("\\").replace("\\", "/")


def registry_default(wine, key):
    out = wine.run("reg", "query", key, "/ve").stdout.decode("utf-8", "replace")
    for line in out.splitlines():
        if "REG_SZ" in line:
            return line.split("REG_SZ", 1)[1].strip()
    return None


@pytest.fixture
def browser_record(wine, artifacts):
    """Wine's browser launcher records the addresses it is given instead of
    starting a browser."""
    record = artifacts / "browser-addresses.txt"
    script = artifacts / "record-browser"
    script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{record}"\n')
    script.chmod(0o755)
    record.unlink(missing_ok=True)
    wine.run("reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/t", "REG_SZ", "/d", str(script),
             "/f")
    return record


def wait_for(condition, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def rgba_of(path):
    """The RGBA bytes of a picture and its width."""
    rgba = subprocess.run(["/usr/bin/convert", str(path), "-depth", "8", "rgba:-"], check=True,
                          capture_output=True).stdout
    width = int(subprocess.run(["/usr/bin/identify", "-format", "%w", str(path)], check=True, capture_output=True,
                               text=True).stdout)
    return rgba, width


def opaque_spots(path):
    """Points of a picture without any transparency: there the screen must
    show the picture's own colour."""
    rgba, width = rgba_of(path)
    spots = [(i // 4 % width, i // 4 // width) for i in range(3, len(rgba), 4) if rgba[i] == 255]
    return spots[::max(1, len(spots) // 12)]


def differing_spots(picture, other):
    """Opaque points of two skin pictures of one size where they differ."""
    first, width = rgba_of(skin_picture(picture))
    second, _ = rgba_of(skin_picture(other))
    spots = [(i // 4 % width, i // 4 // width) for i in range(0, len(first), 4)
             if first[i + 3] == 255 and second[i + 3] == 255 and first[i:i + 3] != second[i:i + 3]]
    assert spots, (picture, other)
    return spots[::max(1, len(spots) // 12)]


def shows_picture(shot, left, top, picture, spots):
    """The screen shows the skin picture with its corner at (left, top) at every spot."""
    path = skin_picture(picture)
    return all(screen_pixels(shot, left + x, top + y) == screen_pixels(path, x, y) for x, y in spots)


def assert_preview(shot, wizard, language):
    left, top, *_ = wizard.rect()
    path = skin_picture(PREVIEWS[language])
    spots = opaque_spots(path)
    assert spots
    for x, y in spots:
        assert screen_pixels(shot, left + 430 + x, top + PAGE_TOP + 13 + y) == screen_pixels(path, x, y), \
            (language, x, y)


def test_pointing_at_a_language_previews_its_caption_until_another_is_pointed_at(wizard, screenshot, wine):
    for language in ("de", "ja", "en"):
        wizard.ask("hover", WIZARD, LANGUAGE_BUTTONS[language])
        assert_preview(screenshot(f"welcome-preview-{language}"), wizard, language)
    # Leaving the buttons keeps the last preview. The English button shows
    # its own picture again once it has learnt that the pointer left it:
    # from then on the page has had its chance to answer the leaving.
    left, top, *_ = wizard.rect()
    subprocess.run(["xdotool", "mousemove", str(left + 60), str(top + 360)], check=True, env=wine.env)
    button_left, button_top, *_ = wizard.rect(LANGUAGE_BUTTONS["en"])
    assert wait_for(lambda: shows_picture(screenshot("welcome-preview-kept"), left + button_left,
                                          top + button_top, "language-button-en.png",
                                          differing_spots("language-button-en.png", "language-button-en-hover.png"))), \
        "the English button still shows its pointed-at picture"
    assert_preview(screenshot("welcome-preview-kept"), wizard, "en")


@pytest.mark.parametrize("language", list(LANGUAGE_BUTTONS))
def test_a_language_button_switches_the_wizard_and_shows_the_licence_page(wizard, language):
    choose(wizard, language)
    table = texts(language)
    assert wizard.buttons() == {
        "next": (True, table[1000], *MAIN_BUTTONS[NEXT][:2]),
        "back": (True, table[1001], *MAIN_BUTTONS[BACK][:2]),
        "cancel": (True, table[1002], *MAIN_BUTTONS[CANCEL][:2]),
    }


def test_back_and_another_language_switch_again(wizard):
    choose(wizard, "de")
    wizard.press(BACK)
    wizard.wait_page(120)
    choose(wizard, "fr")
    assert wizard.text(NEXT) == texts("fr")[1000]


@pytest.mark.parametrize("language", list(LANGUAGE_BUTTONS))
def test_contact_and_finish_pages_in_every_language(wizard, screenshot, language):
    choose(wizard, language)
    table = texts(language)
    wizard.press(NEXT)
    wizard.wait_page(123)
    wizard.send(WM_WIZARD_NEXT)
    wizard.wait_page(124)
    for control in EMAIL_LABELS:
        assert wizard.text(control) == table[control].replace("\r\n", "\n").replace("\n", "\r\n")
        assert_place(wizard, control)
    assert wizard.text(BACK) == table[50]
    screenshot(f"page-send-email-{language}")

    wizard.press(NEXT)
    wizard.wait_page(125)
    for control in FINISH_LABELS:
        assert wizard.text(control) == table[control]
        assert_place(wizard, control)
    for box in FINISH_BOXES:
        assert wizard.ask("check", WIZARD, box) == "1"
        assert_place(wizard, box)
    assert wizard.text(NEXT) == table[49]
    screenshot(f"page-finish-{language}")


def finish_page_with_product(wizard, wine, build_dir, language):
    """The finish page reached in `language` with the product's program in
    the install folder; returns the install folder."""
    choose(wizard, language)
    install_dir = wizard.text(INSTALL_FOLDER)
    assert install_dir, "the licence page shows no install folder"
    folder = unix_path(wine, install_dir)
    folder.mkdir(parents=True, exist_ok=True)
    stub = build_dir / "tests" / "programs" / "product-3.0.12.345" / f"{PRODUCT}.exe"
    shutil.copy(stub, folder / f"{PRODUCT}.exe")
    wizard.press(NEXT)
    wizard.wait_page(123)
    wizard.send(WM_WIZARD_NEXT)
    wizard.wait_page(124)
    wizard.press(NEXT)
    wizard.wait_page(125)
    return install_dir


def shortcut_files(wine):
    prefix = pathlib.Path(wine.env["WINEPREFIX"]) / "drive_c" / "users"
    return (list(prefix.glob(f"Public/Desktop/{PRODUCT}.lnk")),
            list(prefix.glob(f"*/AppData/Roaming/Microsoft/Internet Explorer/Quick Launch/{PRODUCT}.lnk")))


def prepare_shortcut_folders(wine):
    """No shortcuts yet, and a Quick Launch folder as Windows has one (a new
    Wine prefix has none; the installer does not create it)."""
    for files in shortcut_files(wine):
        for path in files:
            path.unlink()
    users = pathlib.Path(wine.env["WINEPREFIX"]) / "drive_c" / "users"
    for roaming in users.glob("*/AppData/Roaming"):
        (roaming / "Microsoft" / "Internet Explorer" / "Quick Launch").mkdir(parents=True, exist_ok=True)


def close_product(driver):
    while driver("count-windows", PRODUCT)[1] not in ("", "0"):
        driver("click", PRODUCT, 1)  # OK of its message box
        driver("wait-gone", PRODUCT, 5)


def test_finish_does_what_is_ticked_and_opens_the_thank_you_page(wizard, wine, driver, build_dir, browser_record):
    prepare_shortcut_folders(wine)
    close_product(driver)
    install_dir = finish_page_with_product(wizard, wine, build_dir, "de")
    wizard.press(NEXT)
    assert wizard.ask("wait-gone", WIZARD, 15) == ""

    desktop, quick_launch = shortcut_files(wine)
    assert desktop and quick_launch
    program = f"{install_dir}\\{PRODUCT}.exe"
    assert registry_default(wine, rf"HKCR\{PRODUCT}\DefaultIcon") == program + ",1"

    # The product starts: its window shows its name.
    code, _ = driver("wait-window", PRODUCT, 20)
    assert code == 0, "the product did not start"
    close_product(driver)

    assert wait_for(lambda: browser_record.exists() and browser_record.read_text().strip())
    address = browser_record.read_text().split()[0]
    # The built-in thank-you address carries a query: the code follows with "&".
    assert address.endswith("&lang=de"), address


def test_finish_with_every_box_cleared_only_opens_the_thank_you_page(wizard, wine, driver, build_dir,
                                                                     browser_record):
    prepare_shortcut_folders(wine)
    close_product(driver)
    wine.run("reg", "delete", rf"HKCR\{PRODUCT}", "/f")
    finish_page_with_product(wizard, wine, build_dir, "ja")
    for box in FINISH_BOXES:
        wizard.press(box)
        assert wizard.ask("check", WIZARD, box) == "0", box
    wizard.press(NEXT)
    assert wizard.ask("wait-gone", WIZARD, 15) == ""

    assert shortcut_files(wine) == ([], [])
    assert registry_default(wine, rf"HKCR\{PRODUCT}\DefaultIcon") is None
    assert wait_for(lambda: browser_record.exists() and browser_record.read_text().strip())
    assert browser_record.read_text().split()[0].endswith("&lang=jp")
    # The product would be started before the wizard closes its window: with
    # the window gone, a started product would be running now.
    assert driver("count-processes", f"{PRODUCT}.exe") == (0, "0"), "the product started although its box was cleared"
