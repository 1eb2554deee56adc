"""The installer's start-up forms seen from outside: "-build", "-export",
the single-instance rule and the crash dump."""

import struct
import time

import pytest

from conftest import winpath

WIZARD_TITLE = "Corvane 2013 Installer"


def stamp_block(entries):
    out = b""
    for entry in entries:
        text = (entry + "\0").encode("utf-16-le")
        out += text + struct.pack("<i", len(text))
    return out + struct.pack("<i", len(entries)) + b"D" * 20


def test_build_appends_the_exact_block(wine, installer_exe, tmp_path):
    target = tmp_path / "configured.exe"
    result = wine.run(installer_exe, "-build", winpath(target), "A=1", "B=2")
    assert result.returncode == 0
    original = installer_exe.read_bytes()
    copy = target.read_bytes()
    expected_tail = ("A=1\0".encode("utf-16-le") + struct.pack("<i", 8) + "B=2\0".encode("utf-16-le")
                     + struct.pack("<i", 8) + struct.pack("<i", 2) + b"\x44" * 20)
    assert copy == original + expected_tail


def test_build_form_is_case_insensitive_and_needs_pairs(wine, installer_exe, tmp_path):
    target = tmp_path / "upper.exe"
    assert wine.run(installer_exe, "-BUILD", winpath(target), "WID=1").returncode == 0
    assert target.read_bytes().endswith(stamp_block(["WID=1"]))

    lonely = tmp_path / "nothing.exe"
    result = wine.run(installer_exe, "-build", winpath(lonely), timeout=30)
    assert result.returncode != 0
    assert not lonely.exists()


@pytest.mark.parametrize("target_name", ["missing-folder/copy.exe", "readonly.exe"])
def test_build_failures_exit_non_zero_and_leave_nothing_configured(wine, installer_exe, tmp_path, target_name):
    target = tmp_path / target_name
    if target_name == "readonly.exe":
        target.write_bytes(b"original")
        wine.run("attrib", "+r", winpath(target))
    result = wine.run(installer_exe, "-build", winpath(target), "A=1", timeout=30)
    assert result.returncode != 0
    if target_name == "readonly.exe":
        assert target.read_bytes() == b"original"
    else:
        assert not target.exists()
    assert not list(tmp_path.rglob("*.partial"))


def test_configured_copy_reads_back_its_settings(wine, installer_exe, build_dir, tmp_path):
    # Build with the installer itself, then graft the block it wrote onto the
    # probe program, which reads its own file exactly as the installer does.
    target = tmp_path / "configured.exe"
    result = wine.run(installer_exe, "-build", winpath(target),
                      "DOWNLOAD_LINK=http://first/package.msi", "THANKYOU_LINK=http://thanks/page?x=1",
                      "download_link=http://second/package.msi", "WID=\u65e5\u672c", "NOEQUALS_IS_LAST")
    assert result.returncode == 0
    block = target.read_bytes()[len(installer_exe.read_bytes()):]
    probe = tmp_path / "probe.exe"
    probe.write_bytes((build_dir / "tests" / "programs" / "StampProbe.exe").read_bytes() + block)

    output = wine.run(probe).stdout.decode("utf-8")
    values = dict(line.split("=", 1) for line in output.splitlines() if "=" in line)
    # The entry without "=" was given last, so it is read first and ends the walk.
    assert values["FOUND"] == "1"
    assert values["ENTRIES"] == "5"
    assert values["DOWNLOAD_LINK"].startswith("http://127.0.0.1")

    fixed = tmp_path / "fixed.exe"
    wine.run(installer_exe, "-build", winpath(fixed), "DOWNLOAD_LINK=http://first/package.msi",
             "THANKYOU_LINK=http://thanks/page?x=1", "download_link=http://second/package.msi", "WID=\u65e5\u672c")
    probe.write_bytes((build_dir / "tests" / "programs" / "StampProbe.exe").read_bytes()
                      + fixed.read_bytes()[len(installer_exe.read_bytes()):])
    values = dict(line.split("=", 1) for line in wine.run(probe).stdout.decode("utf-8").splitlines() if "=" in line)
    assert values["DOWNLOAD_LINK"] == "http://first/package.msi"  # the first one given wins
    assert values["THANKYOU_LINK"] == "http://thanks/page?x=1"
    assert values["WID"] == "\u65e5\u672c"


def test_export_writes_the_workbook(wine, installer_exe, tmp_path):
    xlrd = pytest.importorskip("xlrd", reason="python3-xlrd comes with tools/setup")
    target = tmp_path / "texts.xls"
    result = wine.run(installer_exe, "-export", winpath(target))
    assert result.returncode == 0
    book = xlrd.open_workbook(str(target))
    assert book.sheet_names() == ["Sheet1", "Sheet2"]
    sheet = book.sheet_by_name("Sheet1")
    assert sheet.row_values(0) == ["ID", "English", "German", "French", "Italian", "Spanish", "Japanese"]
    assert sheet.nrows == 132  # a header row and 131 text items
    assert sheet.cell_value(1, 0) == 1 and sheet.cell_value(1, 1) == "Open file"
    assert book.sheet_by_name("Sheet2").nrows == 0

    unwritable = wine.run(installer_exe, "-export", winpath(tmp_path / "no" / "such" / "folder.xls"))
    assert unwritable.returncode != 0
    assert not (tmp_path / "no").exists()

    readonly = tmp_path / "readonly.xls"
    readonly.write_bytes(b"keep me")
    wine.run("attrib", "+r", winpath(readonly))
    assert wine.run(installer_exe, "-export", winpath(readonly)).returncode != 0
    assert readonly.read_bytes() == b"keep me"


def test_export_takes_a_name_outside_the_ansi_code_page(wine, installer_exe, tmp_path):
    """Japanese letters on a Western system: the name reaches the file system
    as given, not through the ANSI code page."""
    target = tmp_path / "\u7ffb\u8a33\u8868.xls"
    assert wine.run(installer_exe, "-export", winpath(target)).returncode == 0
    assert target.read_bytes()[:8] == bytes.fromhex("d0cf11e0a1b11ae1")
    assert [path.name for path in tmp_path.iterdir()] == [target.name]


def test_second_instance_leaves_at_once(wine, driver, installer_exe, screenshot):
    first = wine.start(installer_exe)
    try:
        assert driver("wait-window", WIZARD_TITLE, "30")[0] == 0
        screenshot("app-shell-first-instance")
        started = time.monotonic()
        second = wine.run(installer_exe, timeout=30)
        assert second.returncode == 0
        assert time.monotonic() - started < 15
        assert driver("count-windows", WIZARD_TITLE)[1] == "1"
    finally:
        wine.end_program()
        first.wait(timeout=30)
    assert driver("wait-gone", WIZARD_TITLE, "10")[0] == 0


def test_crash_leaves_a_minidump(wine, build_dir, tmp_path):
    (tmp_path / "Crash.dump").write_bytes(b"an older dump")
    try:
        result = wine.run(build_dir / "tests" / "programs" / "CrashTest.exe", cwd=tmp_path, timeout=60)
    finally:
        # Nothing of the crash may linger into the next test.
        wine.end_program("CrashTest.exe")
    assert result.returncode != 0
    dump = (tmp_path / "Crash.dump").read_bytes()
    signature, version, streams, directory = struct.unpack_from("<4sIII", dump, 0)
    assert signature == b"MDMP"
    assert version & 0xFFFF == 0xA793
    assert 0 < streams < 64 and directory + streams * 12 <= len(dump)
    kinds = {struct.unpack_from("<I", dump, directory + 12 * i)[0] for i in range(streams)}
    assert {3, 4, 6} <= kinds  # thread list, module list, exception
    # A normal minidump and no more: no memory lists, handles, thread or
    # memory details of richer dump types, and no streams of our own.
    assert struct.unpack_from("<Q", dump, 24)[0] == 0
    assert not kinds & {9, 12, 16, 17, 18, 19} and max(kinds) <= 0xFFFF
    for i in range(streams):  # every stream lies inside the file
        size, offset = struct.unpack_from("<II", dump, directory + 12 * i + 4)
        assert offset + size <= len(dump)
