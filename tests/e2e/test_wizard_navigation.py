"""The wizard shell driven like a user: the window itself, the navigation rows
that do not depend on the pages' content, and the keys that must not close it.
Screenshots of every page reached are kept as artifacts."""

import subprocess

import pytest

from conftest import layout, skin_picture

WIZARD = "Corvane 2013 Installer"
NEXT, BACK, CANCEL = 1000, 1001, 1002
LICENCE_ACCEPT = 1004
WM_WIZARD_NEXT, WM_WIZARD_CLOSE = 1028, 1029
# The exit dialog: a popup of the wizard without a title of its own.
EXIT_DIALOG = "popup:" + WIZARD
EXIT_YES, EXIT_NO = 1327, 1328
MAIN_BUTTONS = layout("IDC_MAIN_")


class Wizard:
    def __init__(self, driver, process):
        self.driver = driver
        self.process = process

    def ask(self, *args):
        code, out = self.driver(*args)
        assert code == 0, f"testdriver {' '.join(map(str, args))} failed: {out}"
        return out

    def page(self):
        return int(self.ask("page", WIZARD))

    def wait_page(self, page):
        code, out = self.driver("wait-page", WIZARD, page, 10)
        assert code == 0, f"page {out} is shown instead of {page}"

    def visible(self, control):
        return self.ask("visible", WIZARD, control) == "1"

    def enabled(self, control):
        return self.ask("enabled", WIZARD, control) == "1"

    def text(self, control):
        return self.ask("text", WIZARD, control)

    def rect(self, control=None):
        args = ("rect", WIZARD) + ((control,) if control else ())
        return tuple(int(v) for v in self.ask(*args).split())

    def press(self, control):
        self.ask("press", WIZARD, control)

    def key(self, name):
        self.ask("key", WIZARD, name)

    def send(self, message, wparam=0):
        return int(self.ask("send", WIZARD, message, wparam))

    def buttons(self):
        """(visible, caption, x, y) of Next, Back and Cancel."""
        return {name: (self.visible(c), self.text(c), *self.rect(c)[:2])
                for name, c in (("next", NEXT), ("back", BACK), ("cancel", CANCEL))}

    def is_open(self):
        return self.ask("count-windows", WIZARD) == "1"


@pytest.fixture
def wizard(wine, installer_exe, driver):
    # A previous installer may still be on its way out and hold the
    # single-instance mutex: wait for its window to go first.
    driver("wait-gone", WIZARD, 15)
    process = wine.start(installer_exe)
    code, _ = driver("wait-window", WIZARD, 120)
    assert code == 0, "the wizard did not open"
    yield Wizard(driver, process)
    if process.poll() is None:
        driver("send", WIZARD, WM_WIZARD_CLOSE, 0)
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            wine.end_program()
            process.wait()


def screen_pixels(path, x, y, width=1, height=1):
    """The RGB bytes of an area of a picture file."""
    return subprocess.run(["/usr/bin/convert", str(path), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                           "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout


def screen_size(wine):
    out = subprocess.run(["xdpyinfo", "-display", wine.display], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if "dimensions:" in line:
            width, height = line.split()[1].split("x")
            return int(width), int(height)
    raise AssertionError("no screen size")


def assert_shows_picture(shot, wizard, picture, spots):
    """The window shows `picture` (a PNG of the skin) unchanged at `spots`."""
    left, top, *_ = wizard.rect()
    path = skin_picture(picture)
    for x, y in spots:
        assert screen_pixels(shot, left + x, top + y) == screen_pixels(path, x, y), (picture, x, y)


def licence_page(wizard):
    wizard.key("RETURN")
    wizard.wait_page(121)


def download_page(wizard):
    licence_page(wizard)
    wizard.press(NEXT)  # a typical installation passes the component page at once
    wizard.wait_page(123)


def send_email_page(wizard):
    download_page(wizard)
    wizard.send(WM_WIZARD_NEXT)  # what the download worker sends when the installation succeeded
    wizard.wait_page(124)


def test_opens_borderless_and_centred_on_the_welcome_picture(wizard, wine, screenshot):
    left, top, width, height = wizard.rect()
    screen_width, screen_height = screen_size(wine)
    assert (width, height) == (800, 547)
    assert (left, top) == ((screen_width - 800) // 2, (screen_height - 547) // 2)
    assert wizard.page() == 120
    assert not any(visible for visible, *_ in wizard.buttons().values())

    # No frame and no caption: the picture starts at the window's corner, and
    # spots outside the language buttons show it as it is.
    assert_shows_picture(screenshot("wizard-welcome"), wizard, "wizard-background.png",
                         [(0, 0), (5, 5), (790, 20), (60, 300), (740, 500), (400, 540)])


def test_return_on_the_welcome_page_shows_the_licence_page_with_the_three_buttons(wizard, screenshot):
    licence_page(wizard)
    assert wizard.buttons() == {
        "next": (True, "Next", *MAIN_BUTTONS[NEXT][:2]),
        "back": (True, "Back", *MAIN_BUTTONS[BACK][:2]),
        "cancel": (True, "Cancel", *MAIN_BUTTONS[CANCEL][:2]),
    }
    # The page has no picture of its own: the wizard's background continues through it.
    assert_shows_picture(screenshot("wizard-licence"), wizard, "wizard-background.png",
                         [(60, 300), (740, 100), (20, 440), (400, 540)])


def test_back_on_the_licence_page_returns_to_the_welcome_page_and_hides_the_buttons(wizard):
    licence_page(wizard)
    wizard.press(BACK)
    wizard.wait_page(120)
    assert not any(visible for visible, *_ in wizard.buttons().values())


def test_return_does_nothing_while_the_licence_is_not_accepted(wizard):
    licence_page(wizard)
    assert wizard.ask("check", WIZARD, LICENCE_ACCEPT) == "1"  # accepted at first
    wizard.press(LICENCE_ACCEPT)
    assert wizard.ask("check", WIZARD, LICENCE_ACCEPT) == "0"
    wizard.key("RETURN")
    assert wizard.page() == 121


def test_typical_installation_goes_from_the_licence_page_straight_to_the_download(wizard, screenshot):
    download_page(wizard)
    assert not any(visible for visible, *_ in wizard.buttons().values()), "the download page has its own Cancel"
    # The skin switches to the stage picture, through the page and below it.
    assert_shows_picture(screenshot("wizard-download"), wizard, "wizard-background-stage.png",
                         [(795, 300), (795, 60), (400, 540), (20, 530)])


def test_send_email_page_back_reads_skip_and_moves_on(wizard, screenshot):
    send_email_page(wizard)
    buttons = wizard.buttons()
    assert buttons["back"][:2] == (True, "Skip")
    assert buttons["next"][:2] == (True, "Next")
    screenshot("wizard-send-email")

    wizard.press(BACK)
    wizard.wait_page(125)
    buttons = wizard.buttons()
    assert buttons["next"][:2] == (True, "Finish")
    assert buttons["back"][:2] == (True, "Back")
    screenshot("wizard-finish")

    wizard.press(BACK)
    wizard.wait_page(124)
    assert wizard.text(BACK) == "Skip"


def test_finish_ends_the_wizard(wizard, refserver):
    send_email_page(wizard)
    wizard.press(NEXT)
    wizard.wait_page(125)
    wizard.press(NEXT)
    assert wizard.ask("wait-gone", WIZARD, 10) == ""
    # The download page's work still waits for the held package address; let
    # it go: the closing page stops the work at its next step.
    refserver.control("reset")
    refserver.control("release")
    wizard.process.wait(timeout=30)


@pytest.mark.parametrize("page", [120, 121])
def test_escape_and_alt_f4_do_not_close_the_wizard(wizard, page):
    if page == 121:
        licence_page(wizard)
    for key in ("ESCAPE", "ALT+F4"):
        wizard.key(key)
        assert wizard.is_open(), key
        assert wizard.page() == page


def test_cancel_asks_first_and_only_yes_ends_the_wizard(wizard):
    licence_page(wizard)
    wizard.press(CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""
    wizard.ask("press", EXIT_DIALOG, EXIT_NO)
    assert wizard.ask("wait-gone", EXIT_DIALOG, 10) == ""
    assert wizard.is_open() and wizard.page() == 121

    wizard.press(CANCEL)
    wizard.ask("wait-window", EXIT_DIALOG, 10)
    wizard.ask("press", EXIT_DIALOG, EXIT_YES)
    assert wizard.ask("wait-gone", WIZARD, 10) == ""


def test_the_window_is_dragged_by_any_point_that_is_not_a_control(wizard, wine):
    left, top, *_ = wizard.rect()
    # A point of the welcome page's picture, away from the language buttons.
    x, y = left + 60, top + 360
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1", "sleep", "0.3",
                    "mousemove", str(x + 20), str(y + 10), "sleep", "0.3",
                    "mousemove", str(x + 50), str(y + 40), "sleep", "0.3", "mouseup", "1"],
                   check=True, env=wine.env, timeout=30)
    moved_left, moved_top, *_ = wizard.rect()
    assert (moved_left - left, moved_top - top) == (50, 40)
