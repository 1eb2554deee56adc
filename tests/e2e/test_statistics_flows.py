"""What the statistics service receives as a user walks the real wizard:
nothing before a language choice, one StartInstallation however often the
language changes, and on leaving through the exit dialog the contact details
(when a valid address was given) followed by the cancel report. A service
that never answers holds up neither the window nor the installer's end."""

import re
import time

import pytest

from test_wizard_navigation import (BACK, CANCEL, EXIT_DIALOG, EXIT_YES, NEXT, WIZARD, WM_WIZARD_NEXT,  # noqa: F401
                                    wizard)

ENGLISH, GERMAN, JAPANESE = 1217, 1218, 1300
FIRST_NAME, LAST_NAME, EMAIL = 1251, 1296, 1252
GUID = re.compile(r"^[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}$")


def leave_through_the_exit_dialog(wizard):
    wizard.press(CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""
    wizard.ask("press", EXIT_DIALOG, EXIT_YES)
    assert wizard.ask("wait-gone", WIZARD, 15) == ""
    wizard.process.wait(timeout=30)


def test_leaving_before_a_language_choice_sends_nothing(wizard, refserver):
    wizard.key("RETURN")  # the licence page without a language button: no start report
    wizard.wait_page(121)
    leave_through_the_exit_dialog(wizard)
    assert refserver.statistics_calls() == []


def test_two_language_choices_start_once_and_yes_without_an_address_only_cancels(wizard, refserver):
    wizard.press(GERMAN)
    wizard.wait_page(121)
    wizard.press(BACK)
    wizard.wait_page(120)
    wizard.press(JAPANESE)
    wizard.wait_page(121)
    leave_through_the_exit_dialog(wizard)

    calls = refserver.statistics_calls()
    assert [operation for operation, _ in calls] == ["StartInstallation", "CancelInstallation"]
    start, cancel = calls[0][1], calls[1][1]
    assert start["Language"] == "de" and GUID.match(start["Guid"])
    assert cancel["Guid"] == start["Guid"]


# Contact details typed on the contact page, whether the page was left with
# Next or Skip, and what SaveUserInstallation then carries (None: not sent).
CONTACTS = [
    pytest.param("Ada", "Lovelace", " ada.love lace@example.org ", NEXT, "ada.lovelace@example.org",
                 id="valid-next"),
    pytest.param("Ada", "Lovelace", "ada@example.org", BACK, "ada@example.org", id="valid-skip"),
    pytest.param("Ada", "Lovelace", "not an address", NEXT, None, id="invalid"),
    pytest.param("", "", "", NEXT, None, id="empty"),
]


def finish_page_with_contact(wizard, first, last, typed, leave_by):
    wizard.press(ENGLISH)
    wizard.wait_page(121)
    wizard.press(NEXT)  # typical: on to the download page, held at the package address
    wizard.wait_page(123)
    wizard.send(WM_WIZARD_NEXT)  # what the worker sends after a successful installation
    wizard.wait_page(124)
    for control, text in ((FIRST_NAME, first), (LAST_NAME, last), (EMAIL, typed)):
        wizard.ask("set-text", WIZARD, control, text)
    wizard.press(leave_by)
    wizard.wait_page(125)


@pytest.mark.parametrize("first,last,typed,leave_by,stored", CONTACTS)
def test_finish_sends_the_contact_details_of_a_valid_address(wizard, refserver, first, last, typed, leave_by,
                                                            stored):
    finish_page_with_contact(wizard, first, last, typed, leave_by)
    wizard.press(NEXT)  # "Finish"
    assert wizard.ask("wait-gone", WIZARD, 15) == ""

    calls = refserver.statistics_calls()
    operations = [operation for operation, _ in calls]
    if stored is None:
        assert operations == ["StartInstallation"]
        return
    assert operations == ["StartInstallation", "SaveUserInstallation"]
    assert calls[1][1] == {"Guid": calls[0][1]["Guid"], "Email": stored, "FirstName": first, "LastName": last,
                           "Optin": False}


def test_yes_after_an_address_sends_the_contact_details_then_the_cancel(wizard, refserver):
    finish_page_with_contact(wizard, "Ada", "Lovelace", "ada@example.org", NEXT)
    # The main Cancel stays hidden after the download page; its command (as
    # the hidden command 1321 would give) still asks first.
    wizard.ask("click", WIZARD, CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 10) == ""
    wizard.ask("press", EXIT_DIALOG, EXIT_YES)
    assert wizard.ask("wait-gone", WIZARD, 15) == ""

    calls = refserver.statistics_calls()
    assert [operation for operation, _ in calls] == ["StartInstallation", "SaveUserInstallation",
                                                      "CancelInstallation"]
    guid = calls[0][1]["Guid"]
    assert calls[1][1]["Email"] == "ada@example.org" and calls[1][1]["Guid"] == guid
    assert calls[2][1] == {"Guid": guid}


def leave_by_exit_dialog(wizard):
    wizard.press(CANCEL)
    assert wizard.ask("wait-window", EXIT_DIALOG, 2) == "", "the exit dialog did not open within 2 s"
    wizard.ask("click", EXIT_DIALOG, EXIT_YES)


def leave_by_finish(wizard):
    wizard.press(NEXT)
    wizard.wait_page(123)
    wizard.send(WM_WIZARD_NEXT)
    wizard.wait_page(124)
    wizard.ask("set-text", WIZARD, EMAIL, "ada@example.org")
    wizard.press(BACK)  # "Skip" keeps the address
    wizard.wait_page(125)
    wizard.ask("click", WIZARD, NEXT)  # "Finish": SaveUserInstallation


@pytest.mark.parametrize("leave", [leave_by_exit_dialog, leave_by_finish], ids=["exit", "finish"])
def test_a_silent_statistics_service_holds_up_neither_the_window_nor_the_end(wizard, refserver, driver, leave):
    # The service takes each request and never answers, as a network that
    # swallows packets does.
    refserver.control("fault", path="/DesktopService.asmx", mode="silent")
    wizard.press(ENGLISH)
    wizard.wait_page(121)
    answered = wizard.driver("answers", WIZARD, 2000)
    assert answered[0] == 0, f"the window did not answer within 2 s of the language choice ({answered[1]} ms)"

    leave(wizard)
    assert wizard.ask("wait-gone", WIZARD, 10) == ""
    gone = time.monotonic()
    wizard.process.wait(timeout=30)
    assert time.monotonic() - gone < 2.0, "the installer's process outlived its window by more than 2 s"
    assert driver("count-processes", "CorvaneInstaller.exe") == (0, "0")
    # The start report still waits for its answer: the later reports queued
    # behind it went with the process.
    assert [operation for operation, _ in refserver.statistics_calls()] == ["StartInstallation"]
