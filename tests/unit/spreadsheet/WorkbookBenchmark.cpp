// Times building and saving a large translators' workbook and prints the
// figures; a benchmark, not a test.
//
//   spreadsheet_benchmark [ROWS] [OUTPUT.xls]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "spreadsheet/Workbook.h"
#include "spreadsheet/WorkbookStream.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    if (rows < 1 || rows > 65536) {
        std::fprintf(stderr, "ROWS must be 1 to 65536\n");
        return 2;
    }
    const std::filesystem::path output =
        argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path() / "corvane-benchmark.xls";

    auto start = Clock::now();
    YExcel::Workbook book;
    YExcel::Worksheet* sheet = book.GetWorksheet("Sheet1");
    for (std::uint32_t r = 0; r < static_cast<std::uint32_t>(rows); ++r) {
        sheet->Cell(r, 0)->SetInteger(static_cast<std::int32_t>(r));
        for (std::uint32_t c = 1; c < 7; ++c) {
            // Half the texts repeat, as translations of short items do.
            const std::u16string text = r % 2 ? u"\u30c6\u30ad\u30b9\u30c8 " + std::u16string(c * 5, u'x')
                                               : u"Text " + std::u16string(r % 97 + c, u'a') + u" " +
                                                     std::u16string(1, static_cast<char16_t>(u'A' + r % 26));
            sheet->Cell(r, c)->SetWString(text);
        }
    }
    const double fillMs = MillisecondsSince(start);

    start = Clock::now();
    const std::size_t streamSize = YExcel::BuildWorkbookStream(book.Worksheets()).size();
    const double streamMs = MillisecondsSince(start);

    start = Clock::now();
    if (!book.SaveAs(output.u16string())) {
        std::fprintf(stderr, "cannot write %s\n", output.string().c_str());
        return 1;
    }
    const double saveMs = MillisecondsSince(start);
    const auto fileSize = std::filesystem::file_size(output);
    if (argc <= 2) std::filesystem::remove(output);

    std::printf("rows %ld, cells %ld\n", rows, rows * 7);
    std::printf("fill model     %9.1f ms\n", fillMs);
    std::printf("build stream   %9.1f ms  (%zu bytes)\n", streamMs, streamSize);
    std::printf("save as        %9.1f ms  (%ju bytes on disk, %.1f MB/s)\n", saveMs, static_cast<std::uintmax_t>(fileSize),
                fileSize / 1e6 / (saveMs / 1e3));
    return 0;
}
