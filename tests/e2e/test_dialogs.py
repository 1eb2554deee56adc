"""The exit dialog over the real wizard, in every language: its picture and
buttons, and the answers that keep or end the wizard. Screenshots of the
dialog in all six languages are kept as artifacts."""

import pytest

from conftest import layout, skin_picture
from test_wizard_navigation import (CANCEL, WIZARD, assert_shows_picture, licence_page, screen_pixels,  # noqa: F401
                                    wizard)

EXIT_DIALOG = "popup:" + WIZARD
EXIT_YES, EXIT_NO, EXIT_CLOSE_BOX = 1327, 1328, 1329
# Language button of the welcome page and the exit picture of that language.
LANGUAGES = {
    "en": (1217, "exit-en.png"),
    "de": (1218, "exit-de.png"),
    "es": (1219, "exit-es.png"),
    "fr": (1220, "exit-fr.png"),
    "it": (1221, "exit-it.png"),
    "ja": (1300, "exit-ja.png"),
}


def open_exit_dialog(wizard):
    wizard.press(CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""


def dialog_rect(wizard):
    return tuple(int(v) for v in wizard.ask("rect", EXIT_DIALOG).split())


@pytest.mark.parametrize("language", list(LANGUAGES))
def test_exit_dialog_shows_the_question_of_the_language_and_no_keeps_the_wizard(wizard, screenshot, language):
    button, picture = LANGUAGES[language]
    wizard.press(button)
    wizard.wait_page(121)
    open_exit_dialog(wizard)

    left, top, width, height = dialog_rect(wizard)
    assert (width, height) == (440, 280)
    shot = screenshot(f"exit-dialog-{language}")
    # The picture with the question shows unchanged away from the buttons.
    path = skin_picture(picture)
    for x, y in [(5, 5), (60, 60), (220, 120), (300, 180), (20, 270), (430, 150)]:
        assert screen_pixels(shot, left + x, top + y) == screen_pixels(path, x, y), (picture, x, y)
    # The buttons lie on the same picture.
    places = {c: tuple(int(v) for v in wizard.ask("rect", EXIT_DIALOG, c).split()) for c in
              (EXIT_YES, EXIT_NO, EXIT_CLOSE_BOX)}
    table = layout("IDC_EXIT_")
    assert places[EXIT_YES][:2] == table[EXIT_YES][:2]
    assert places[EXIT_NO][:2] == table[EXIT_NO][:2]
    assert places[EXIT_CLOSE_BOX] == table[EXIT_CLOSE_BOX]

    wizard.ask("press", EXIT_DIALOG, EXIT_NO)
    assert wizard.ask("wait-gone", EXIT_DIALOG, 10) == ""
    assert wizard.is_open() and wizard.page() == 121


@pytest.mark.parametrize("answer", ["ESCAPE", "close box"])
def test_escape_and_the_close_box_are_no(wizard, answer):
    licence_page(wizard)
    open_exit_dialog(wizard)
    if answer == "ESCAPE":
        wizard.ask("key", EXIT_DIALOG, "ESCAPE")
    else:
        wizard.ask("press", EXIT_DIALOG, EXIT_CLOSE_BOX)
    assert wizard.ask("wait-gone", EXIT_DIALOG, 10) == ""
    assert wizard.is_open() and wizard.page() == 121


def test_return_does_not_answer_the_exit_dialog(wizard):
    licence_page(wizard)
    open_exit_dialog(wizard)
    wizard.ask("key", EXIT_DIALOG, "RETURN")
    assert wizard.ask("count-windows", EXIT_DIALOG) == "1"
    wizard.ask("press", EXIT_DIALOG, EXIT_YES)
    assert wizard.ask("wait-gone", WIZARD, 10) == ""
    wizard.process.wait(timeout=20)


def test_the_exit_dialog_is_dragged_by_its_picture(wizard, wine):
    import subprocess
    licence_page(wizard)
    open_exit_dialog(wizard)
    left, top, *_ = dialog_rect(wizard)
    x, y = left + 60, top + 150
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1", "sleep", "0.3",
                    "mousemove", str(x + 20), str(y + 10), "sleep", "0.3",
                    "mousemove", str(x + 30), str(y + 20), "sleep", "0.3", "mouseup", "1"],
                   check=True, env=wine.env, timeout=30)
    moved_left, moved_top, *_ = dialog_rect(wizard)
    assert (moved_left - left, moved_top - top) == (30, 20)
    wizard.ask("press", EXIT_DIALOG, EXIT_NO)
