"""Prints every sheet and cell of a workbook as another reader sees it, one
line each:

    sheet <TAB> name <TAB> rows <TAB> columns
    cell <TAB> row <TAB> column <TAB> number <TAB> value
    cell <TAB> row <TAB> column <TAB> text <TAB> UTF-16 code units in hex

so that a test can compare the lines with what it wrote.

    dump_workbook.py FILE                 read with xlrd; reader warnings make the
                                          exit status 3
    dump_workbook.py --libreoffice FILE   convert every sheet to CSV with
                                          LibreOffice (text cells quoted, so
                                          numbers stay apart from texts)
"""
import csv
import glob
import io
import os
import subprocess
import sys
import tempfile


def hex_units(text):
    units = text.encode("utf-16-le")
    return "".join("%02x%02x" % (units[i + 1], units[i]) for i in range(0, len(units), 2))


def number(value):
    return str(int(value)) if value == int(value) else repr(value)


def dump_with_xlrd(path):
    import xlrd

    warnings = io.StringIO()
    book = xlrd.open_workbook(path, logfile=warnings, verbosity=0)
    for sheet in book.sheets():
        print("sheet\t%s\t%d\t%d" % (sheet.name, sheet.nrows, sheet.ncols))
        for row in range(sheet.nrows):
            for column in range(sheet.ncols):
                cell = sheet.cell(row, column)
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    print("cell\t%d\t%d\tnumber\t%s" % (row, column, number(cell.value)))
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    print("cell\t%d\t%d\ttext\t%s" % (row, column, hex_units(cell.value)))
                else:
                    print("cell\t%d\t%d\tkind %d" % (row, column, cell.ctype))
    if warnings.getvalue():
        sys.stderr.write(warnings.getvalue())
        return 3
    return 0


def dump_with_libreoffice(path):
    # Separator ",", quote '"', UTF-8, from line 1, quote all text cells, every sheet.
    csv_filter = 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,false,false,false,-1'
    with tempfile.TemporaryDirectory() as scratch:
        profile = "file://" + os.path.join(scratch, "profile")
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--convert-to", csv_filter,
                        "--outdir", scratch, path], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300)
        stem = os.path.splitext(os.path.basename(path))[0]
        for sheet_file in sorted(glob.glob(os.path.join(scratch, stem + "-*.csv"))):
            name = os.path.basename(sheet_file)[len(stem) + 1:-len(".csv")]
            with open(sheet_file, encoding="utf-8", newline="") as sheet:
                rows = list(csv.reader(sheet, quoting=csv.QUOTE_NONNUMERIC))
            while rows and not rows[-1]:
                rows.pop()  # an empty sheet comes out as one empty line
            print("sheet\t%s\t%d\t%d" % (name, len(rows), max((len(r) for r in rows), default=0)))
            for row, cells in enumerate(rows):
                for column, value in enumerate(cells):
                    if isinstance(value, float):
                        print("cell\t%d\t%d\tnumber\t%s" % (row, column, number(value)))
                    else:
                        print("cell\t%d\t%d\ttext\t%s" % (row, column, hex_units(value)))
    return 0


if __name__ == "__main__":
    if sys.argv[1] == "--libreoffice":
        sys.exit(dump_with_libreoffice(sys.argv[2]))
    sys.exit(dump_with_xlrd(sys.argv[1]))
