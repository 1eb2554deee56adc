// Writes a workbook from a list of cells, for checking the writer's output
// with readers of other makers (see tests/e2e/test_workbook_readers.py).
//
//   write_sample_workbook CELLS.tsv OUTPUT.xls
//
// CELLS.tsv is UTF-8, one cell a line: sheet, row, column, kind ("i" integer
// or "s" text) and value, separated by tabs; in texts \t, \n and \\ stand for
// a tab, a line break and a backslash. Exit code 0 when the workbook was
// saved, 1 when saving failed, 2 for bad arguments or input.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "spreadsheet/Workbook.h"

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool Unescape(const std::string& text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case '\\': out += '\\'; break;
            default: return false;
        }
    }
    return true;
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    try {
        std::size_t used = 0;
        value = std::stoll(text, &used);
        return used == text.size() && value >= low && value <= high;
    } catch (const std::exception&) {
        return false;
    }
}

// Sets one cell from an input line; returns what is wrong with the line, or
// nothing.
std::string SetCell(YExcel::Workbook& book, const std::string& line) {
    const auto fields = SplitTabs(line);
    if (fields.size() != 5) return "expected 5 tab-separated fields";
    YExcel::Worksheet* sheet = book.GetWorksheet(fields[0]);
    if (!sheet) return "no worksheet " + fields[0];
    long long row = 0, column = 0;
    if (!ParseNumber(fields[1], 0, 0xFFFFFFFF, row) || !ParseNumber(fields[2], 0, 0xFFFFFFFF, column)) {
        return "bad row or column";
    }
    YExcel::Cell* cell = sheet->Cell(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column));
    if (!cell) return "cell outside the grid";
    if (fields[3] == "i") {
        long long value = 0;
        if (!ParseNumber(fields[4], INT32_MIN, INT32_MAX, value)) return "bad integer";
        cell->SetInteger(static_cast<std::int32_t>(value));
        return {};
    }
    std::string text;
    if (fields[3] != "s" || !Unescape(fields[4], text)) return "bad kind or escape";
    if (!cell->SetWString(Common::FromAnsi(text))) return "text too long";
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: write_sample_workbook CELLS.tsv OUTPUT.xls\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 2;
    }
    YExcel::Workbook book;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty()) continue;
        const std::string error = SetCell(book, line);
        if (!error.empty()) {
            std::cerr << argv[1] << ":" << number << ": " << error << "\n";
            return 2;
        }
    }
    if (!book.SaveAs(Common::FromAnsi(argv[2]))) {
        std::cerr << "cannot write the workbook " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
