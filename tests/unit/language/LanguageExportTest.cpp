#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "LanguageTestTables.h"
#include "language/AsLanguage_Manager.h"

namespace {

namespace fs = std::filesystem;

// A workbook path in a fresh folder below the temporary folder; the folder
// goes away with the object.
class ExportFolder {
public:
    ExportFolder() : folder_(fs::temp_directory_path() / ("corvane-lang-" + std::to_string(std::random_device()()))) {
        fs::create_directories(folder_);
    }
    ~ExportFolder() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    ExportFolder(const ExportFolder&) = delete;
    ExportFolder& operator=(const ExportFolder&) = delete;

    fs::path Path(const std::string& name) const { return folder_ / name; }
    static std::u16string Text(const fs::path& path) { return path.u16string(); }

private:
    fs::path folder_;
};

std::string Leading(const fs::path& path, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

TEST(ExportWorkbook, WritesACompoundFileUnderTheNameAsGiven) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    ExportFolder folder;
    // Letters outside the ANSI code page of a Western system too.
    for (const fs::path& file : {folder.Path("texts.xls"), folder.Path("") / fs::path(u"\u7FFB\u8A33\u8868.xls")}) {
        ASSERT_TRUE(manager.Export_Workbook(ExportFolder::Text(file))) << file;
        EXPECT_EQ(Leading(file, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
        EXPECT_EQ(fs::file_size(file) % 512, 0u);
    }
}

TEST(ExportWorkbook, APathThatCannotBeCreatedWritesNothing) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    ExportFolder folder;
    const fs::path missingFolder = folder.Path("missing") / "texts.xls";
    EXPECT_FALSE(manager.Export_Workbook(ExportFolder::Text(missingFolder)));
    EXPECT_FALSE(fs::exists(missingFolder));
    EXPECT_FALSE(manager.Export_Workbook(u""));
    // A folder of that name is not a file either.
    EXPECT_FALSE(manager.Export_Workbook(ExportFolder::Text(folder.Path(""))));
}

#ifndef _WIN32
// The line dump_workbook.py prints for a text cell.
std::string TextCell(int row, int column, const std::u16string& text) {
    std::string line = "cell\t" + std::to_string(row) + "\t" + std::to_string(column) + "\ttext\t";
    char unit[5];
    for (char16_t c : text) {
        std::snprintf(unit, sizeof unit, "%04x", static_cast<unsigned>(c));
        line += unit;
    }
    return line;
}

// What a reader should see of the export: the header row, then every table
// position as a row, ids as numbers; and an empty second sheet. CSV readers
// see a line break inside a text as a line feed alone.
std::vector<std::string> ExpectedLines(bool lineFeedsOnly) {
    auto text = [lineFeedsOnly](std::u16string value) {
        for (std::size_t at; lineFeedsOnly && (at = value.find(u"\r\n")) != std::u16string::npos;)
            value.erase(at, 1);
        return value;
    };
    std::vector<std::string> expected = {"sheet\tSheet1\t" + std::to_string(kLangItemCount + 1) + "\t7"};
    const char16_t* headers[] = {u"ID", u"English", u"German", u"French", u"Italian", u"Spanish", u"Japanese"};
    for (int column = 0; column < 7; ++column) expected.push_back(TextCell(0, column, headers[column]));
    for (int position = 0; position < kLangItemCount; ++position) {
        const int row = position + 1;
        expected.push_back("cell\t" + std::to_string(row) + "\t0\tnumber\t" +
                           std::to_string(TextTableEnglish[position].id));
        for (int column = 1; column <= 6; ++column)
            expected.push_back(TextCell(row, column, text((*kAllTables[column - 1].table)[position].text)));
    }
    expected.push_back("sheet\tSheet2\t0\t0");
    return expected;
}

// The output lines of dump_workbook.py run with `options`, and its exit status.
std::vector<std::string> ReadWithOtherReader(const std::string& options, const fs::path& file, int& status) {
    const std::string command = "/usr/bin/python3 " CORVANE_DUMP_WORKBOOK " " + options + " '" + file.string() + "'";
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return lines;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    status = pclose(pipe);
    return lines;
}

class ExportReadBack : public testing::Test {
protected:
    void SetUp() override {
        // The current language changes nothing in the export.
        MemoryLanguageSetting setting(Language::Japanese);
        AsLanguage_Manager manager(setting);
        ASSERT_TRUE(manager.Export_Workbook(ExportFolder::Text(file_)));
    }

    ExportFolder folder_;
    const fs::path file_ = folder_.Path("texts.xls");
};

TEST_F(ExportReadBack, XlrdSeesEveryPositionAsARow) {
    int status = -1;
    const std::vector<std::string> lines = ReadWithOtherReader("", file_, status);
    EXPECT_EQ(status, 0) << "xlrd failed or reported warnings";
    EXPECT_EQ(lines, ExpectedLines(false));
}

TEST_F(ExportReadBack, LibreOfficeSeesEveryPositionAsARow) {
    if (!fs::exists("/usr/bin/soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    int status = -1;
    const std::vector<std::string> lines = ReadWithOtherReader("--libreoffice", file_, status);
    EXPECT_EQ(status, 0) << "the conversion failed";
    EXPECT_EQ(lines, ExpectedLines(true));
}
#endif

}  // namespace
