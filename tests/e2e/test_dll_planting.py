"""A copy of the installer saved into a folder where someone has put a decoy of
every DLL a traced run loads (tests/unit/app/loaded-dlls.txt, less those of
dlls-not-planted.txt) goes through a whole installation: download, the
signature check, the Windows Installer, the contact details and Finish
(shortcuts, file association, the product started). No decoy may load."""

import pathlib
import shutil

import pytest

from test_full_installation import ENGLISH, leave_no_product
from test_wizard_navigation import NEXT, WIZARD, Wizard

LISTS = pathlib.Path(__file__).resolve().parent.parent / "unit" / "app"
COPY = "CorvaneSetup.exe"  # its own name, so its DLL preferences touch no other test's installer
OVERRIDES = rf"HKEY_CURRENT_USER\Software\Wine\AppDefaults\{COPY}\DllOverrides"


def list_lines(name):
    lines = (LISTS / name).read_text().splitlines()
    return [line.strip() for line in lines if line.strip() and not line.startswith("#")]


def planted_names():
    not_planted = {line.split()[1] for line in list_lines("dlls-not-planted.txt")}
    return [name for name in list_lines("loaded-dlls.txt") if name not in not_planted]


@pytest.fixture
def planted_installer(wine, installer_exe, build_dir, tmp_path):
    """The installer's copy beside the decoys; Wine told to prefer a DLL file
    to its built-in DLL for those names in that program, as Windows would load
    whatever its search found."""
    names = planted_names()
    assert len(names) > 10, "the list of traced DLLs is missing or nearly empty"
    folder = tmp_path / "Downloads"
    folder.mkdir()
    shutil.copy(installer_exe, folder / COPY)
    for name in names:
        shutil.copy(build_dir / "tests" / "programs" / "PlantedDll.dll", folder / name)
    # One registry import instead of a `reg add` per name.
    overrides = "".join(f'"{name[:-4]}"="native,builtin"\r\n' for name in names)
    script = tmp_path / "overrides.reg"
    script.write_text(f"REGEDIT4\r\n\r\n[{OVERRIDES}]\r\n{overrides}", encoding="latin-1")
    assert wine.run("regedit", "/S", script).returncode == 0
    yield folder
    wine.end_program(COPY)
    wine.run("reg", "delete", OVERRIDES, "/f")


@pytest.mark.real_download
def test_a_whole_installation_loads_no_dll_from_the_installers_folder(planted_installer, wine, driver, refserver,
                                                                    build_dir):
    refserver.control("reset")
    process = wine.start(planted_installer / COPY, cwd=planted_installer)
    try:
        assert driver("wait-window", WIZARD, 120)[0] == 0, "the wizard did not open"
        wizard = Wizard(driver, process)
        wizard.press(ENGLISH)
        wizard.wait_page(121)
        wizard.press(NEXT)
        code, out = driver("wait-page", WIZARD, 124, 240)
        assert code == 0, f"the installation did not reach the contact page (page {out})"
        wizard.press(NEXT)
        wizard.wait_page(125)
        wizard.press(NEXT)
        assert wizard.ask("wait-gone", WIZARD, 30) == ""
        process.wait(timeout=30)
    finally:
        leave_no_product(wine, build_dir)
        refserver.control("reset")
    loaded = sorted(path.name[:-len(".loaded")] for path in planted_installer.glob("*.loaded"))
    assert loaded == []
