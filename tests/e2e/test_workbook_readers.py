"""The workbook writer's output, read by readers we did not write.

Each workbook is written by the native tool write_sample_workbook from a list
of cells, then opened by olefile (the compound file), xlrd (the records and
every cell) and LibreOffice (every cell, through a headless CSV conversion).
A missing reader fails the test: none of these checks is ever skipped.

Run with Debian's Python:
    /usr/bin/python3 -m pytest tests/e2e/test_workbook_readers.py
The tool is taken from $CORVANE_XLS_SAMPLE_WRITER, else the newest
build/*/tests/unit/spreadsheet/write_sample_workbook.
"""

import csv
import glob
import io
import logging
import os
import shutil
import struct
import subprocess
from pathlib import Path

import pytest

from conftest import require

ROOT = Path(__file__).resolve().parents[2]
INT32_MIN, INT32_MAX = -(2**31), 2**31 - 1
MAX_TEXT_UNITS = 32767  # the writer's limit for one text, in UTF-16 code units


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


# --- the workbooks ----------------------------------------------------------

# One row per table position: an id, then English, German, French, Italian,
# Spanish and Japanese, as the translators' export lays them out.
LANGUAGE_SAMPLES = [
    ("Open file", "Datei öffnen", "Ouvrir le fichier", "Apri file", "Abrir archivo", "ファイルを開く"),
    ("Installing Corvane 2013", "Corvane 2013 wird installiert", "Installation de Corvane 2013",
     "Installazione di Corvane 2013", "Instalando Corvane 2013", "Corvane 2012 をインストールしています"),
    ("OK", "OK", "OK", "OK", "Aceptar", "OK"),
    ("Сancel", "Abbrechen", "Annuler", "Annulla", "Cancelar", "キャンセル"),
    ("Download speed: %s/s", "Download-Geschwindigkeit: %s/s", "Vitesse : %s/s", "Velocità: %s/s",
     "Velocidad: %s/s", "ダウンロード速度: %s/秒"),
]


def translators_cells():
    """The export's shape: header row, ids as numbers, six languages. Long
    enough that the shared strings need CONTINUE records and the stream needs
    a second allocation table sector."""
    header = ["ID", "English", "German", "French", "Italian", "Spanish", "Japanese"]
    cells = {(0, c): text for c, text in enumerate(header)}
    for row in range(1, 126):
        cells[(row, 0)] = 1000 + row if row > 72 else row
        sample = LANGUAGE_SAMPLES[row % len(LANGUAGE_SAMPLES)]
        for column, text in enumerate(sample, start=1):
            # Every fifth row repeats its sample; the others grow so that
            # strings straddle the record boundaries at many places.
            cells[(row, column)] = text if row % 5 == 0 else f"{text} ({row}) " + "·" * (row * 3 % 200)
    return {"Sheet1": cells}


def edge_cells():
    """Texts and numbers at the writer's limits."""
    emoji = "\U0001F600"
    rare = "\U00020BB7"  # outside the basic plane: a surrogate pair
    longest = (rare * (MAX_TEXT_UNITS // 2)) + "終"
    assert utf16_units(longest) == MAX_TEXT_UNITS
    texts = [
        "",
        " leading and trailing spaces ",
        'quotes " and , commas',
        "two\nlines",
        "tab\tinside",
        "00123",
        emoji,
        emoji * 5000,  # every possible split point but one lies inside a pair
        "a" + emoji * 4200,
        "日本語" * 3000,
        longest,
        "x" * MAX_TEXT_UNITS,
        "Кириллица и латиница",
    ]
    numbers = [0, 1, -1, 2**29 - 1, -(2**29), 2**29, -(2**29) - 1, INT32_MAX, INT32_MIN]
    cells = {}
    for row, text in enumerate(texts):
        cells[(row, 1)] = text
        cells[(row, 3)] = text  # the same text again: one shared string
    for row, number in enumerate(numbers):
        cells[(row, 0)] = number
    cells[(200, 255)] = "last column"
    cells[(65535, 0)] = "last row"
    return {"Sheet1": cells, "Sheet2": {(5, 5): 55, (6, 6): "second sheet"}}


def large_cells():
    """Large enough that the allocation table outgrows the header's 109
    table sectors."""
    cells = {}
    for row in range(11000):
        cells[(row, 0)] = row * 7919 - 40000000
        for column in range(1, 7):
            cells[(row, column)] = f"r{row}c{column} " + "ＡＢＣＤＥ" * (4 + (row + column) % 9)
    return {"Sheet1": cells}


WORKBOOKS = {
    "translators": translators_cells,
    "edge": edge_cells,
    "large": large_cells,
}


# --- writing ----------------------------------------------------------------

def find_writer():
    configured = os.environ.get("CORVANE_XLS_SAMPLE_WRITER")
    if configured:
        if not os.access(configured, os.X_OK):
            pytest.fail(f"CORVANE_XLS_SAMPLE_WRITER={configured} is not an executable file")
        return configured
    found = glob.glob(str(ROOT / "build" / "*" / "tests" / "unit" / "spreadsheet" / "write_sample_workbook"))
    if not found:
        pytest.fail("write_sample_workbook not found: build the native tree "
                    "(cmake --build <dir> --target write_sample_workbook) or set CORVANE_XLS_SAMPLE_WRITER")
    return max(found, key=os.path.getmtime)


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def write_workbook(writer, sheets, folder):
    lines = []
    for sheet, cells in sheets.items():
        for (row, column), value in sorted(cells.items()):
            kind = "i" if isinstance(value, int) else "s"
            lines.append(f"{sheet}\t{row}\t{column}\t{kind}\t{escape(str(value))}\n")
    listing = folder / "cells.tsv"
    listing.write_text("".join(lines), encoding="utf-8")
    output = folder / "book.xls"
    result = subprocess.run([writer, str(listing), str(output)], capture_output=True, text=True, timeout=300)
    assert result.returncode == 0, f"write_sample_workbook failed: {result.stderr}"
    return output


@pytest.fixture(scope="module")
def writer():
    return find_writer()


@pytest.fixture(scope="module", params=sorted(WORKBOOKS))
def workbook(request, writer, tmp_path_factory):
    sheets = WORKBOOKS[request.param]()
    folder = tmp_path_factory.mktemp(request.param)
    return write_workbook(writer, sheets, folder), sheets


def non_empty(cells):
    return {position: value for position, value in cells.items() if value != ""}


# --- olefile: the container -------------------------------------------------

class Collect(logging.Handler):
    def __init__(self):
        super().__init__(logging.WARNING)
        self.messages = []

    def emit(self, record):
        self.messages.append(record.getMessage())


def test_olefile_opens_the_container_without_defects(workbook):
    olefile = require("olefile")
    path, _ = workbook
    olefile.enable_logging()
    collect = Collect()
    logger = logging.getLogger("olefile")
    logger.addHandler(collect)
    try:
        # The lowest defect level: anything olefile finds odd raises.
        with olefile.OleFileIO(str(path), raise_defects=olefile.DEFECT_UNSURE) as ole:
            assert ole.parsing_issues == []
            assert ole.listdir(streams=True, storages=True) == [["Workbook"]]
            size = ole.get_size("Workbook")
            stream = ole.openstream("Workbook").read()
    finally:
        logger.removeHandler(collect)
    assert collect.messages == []
    assert len(stream) == size
    assert path.stat().st_size % 512 == 0

    # The stream is whole records, each within the record size limit, and
    # each substream (globals, every sheet) runs from BOF to EOF.
    offset, depth = 0, 0
    while offset < len(stream):
        code, length = struct.unpack_from("<HH", stream, offset)
        assert length <= 8224, f"record 0x{code:04X} at {offset} is too long"
        assert offset + 4 + length <= len(stream), f"record 0x{code:04X} at {offset} runs past the stream"
        depth += {0x0809: 1, 0x000A: -1}.get(code, 0)
        assert depth in (0, 1), f"unbalanced BOF/EOF at {offset}"
        offset += 4 + length
    assert depth == 0


# --- xlrd: records and cells ------------------------------------------------

def test_xlrd_reads_every_cell_without_warnings(workbook):
    xlrd = require("xlrd")
    path, sheets = workbook
    log = io.StringIO()
    book = xlrd.open_workbook(str(path), logfile=log, verbosity=1, formatting_info=True)
    complaints = [line for line in log.getvalue().splitlines()
                  if any(word in line.upper() for word in ("WARNING", "INCONSISTENCY", "CORRUPT", "TRUNCATED", "ERROR"))]
    assert complaints == []
    assert book.sheet_names() == ["Sheet1", "Sheet2"]
    for name in ("Sheet1", "Sheet2"):
        sheet = book.sheet_by_name(name)
        seen = {}
        for row in range(sheet.nrows):
            for column in range(sheet.ncols):
                cell = sheet.cell(row, column)
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    assert cell.value == int(cell.value)
                    seen[(row, column)] = int(cell.value)
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    seen[(row, column)] = cell.value
                else:
                    assert cell.ctype == xlrd.XL_CELL_EMPTY, f"{name} {row},{column}: unexpected kind {cell.ctype}"
        expected = sheets.get(name, {})
        missing = {p: v for p, v in expected.items() if seen.get(p) != v}
        extra = {p: v for p, v in seen.items() if p not in expected}
        assert not missing, f"{name}: {len(missing)} cells differ, first at {min(missing)}"
        assert not extra, f"{name}: unexpected cells, first at {min(extra)}"


# --- LibreOffice: every cell through a CSV conversion -----------------------

def libreoffice():
    program = shutil.which("soffice") or shutil.which("libreoffice")
    if not program:
        pytest.fail("LibreOffice (soffice) is missing: install Debian's libreoffice-calc-nogui (tools/setup)")
    return program


def read_csv_cells(path):
    cells = {}
    with open(path, encoding="utf-8", newline="") as handle:
        for row, fields in enumerate(csv.reader(handle)):
            for column, value in enumerate(fields):
                if value != "":
                    cells[(row, column)] = value
    return cells


def test_libreoffice_shows_every_cell(workbook, tmp_path):
    program = libreoffice()
    path, sheets = workbook
    out = tmp_path / "csv"
    # UTF-8, raw values rather than formatted ones, every sheet to its own file.
    csv_filter = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"
    result = subprocess.run(
        [program, "--headless", f"-env:UserInstallation={(tmp_path / 'profile').as_uri()}",
         "--convert-to", csv_filter, "--outdir", str(out), str(path)],
        capture_output=True, text=True, timeout=600)
    assert result.returncode == 0, result.stderr
    for name in ("Sheet1", "Sheet2"):
        converted = out / f"{path.stem}-{name}.csv"
        assert converted.exists(), f"LibreOffice wrote no {converted.name}: {result.stdout} {result.stderr}"
        expected = {p: str(v) for p, v in non_empty(sheets.get(name, {})).items()}
        shown = read_csv_cells(converted)
        missing = {p: v for p, v in expected.items() if shown.get(p) != v}
        extra = {p: v for p, v in shown.items() if p not in expected}
        assert not missing, f"{name}: {len(missing)} cells differ, first at {min(missing)}"
        assert not extra, f"{name}: unexpected cells, first at {min(extra)}"


# --- failure ----------------------------------------------------------------

def test_unwritable_path_fails_without_a_file(writer, tmp_path):
    listing = tmp_path / "cells.tsv"
    listing.write_text("Sheet1\t0\t0\ts\tID\n", encoding="utf-8")
    target = tmp_path / "missing" / "book.xls"
    result = subprocess.run([writer, str(listing), str(target)], capture_output=True, text=True, timeout=60)
    assert result.returncode == 1
    assert "cannot write" in result.stderr
    assert not target.parent.exists()
