#include "common/MediumIntegrityLaunch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/AnsiText.h"
#include "packages/TestPackages.h"

namespace {

std::string ReadWhenWritten(const std::filesystem::path& path) {
    // The program runs on its own; give it time to start and write.
    for (int attempt = 0; attempt < 300; ++attempt) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        if (text.str().find("INTEGRITY=") != std::string::npos) return text.str();
        Sleep(100);
    }
    return {};
}

TEST(LaunchAtMediumIntegrity, StartsTheProductWithoutWaiting) {
    const auto report = std::filesystem::temp_directory_path() / "corvane-launch-report.txt";
    std::filesystem::remove(report);
    const std::string command = "\"" + Common::ToAnsi(TestPackages::ProductStub()) + "\" /report \"" +
                                Common::ToAnsi(report.u16string()) + "\"";
    EXPECT_EQ(Common::LaunchAtMediumIntegrity(command), "Success");

    const std::string text = ReadWhenWritten(report);
    std::printf("started program reports:\n%s", text.c_str());
    EXPECT_NE(text.find("NAME=Corvane 2013\n"), std::string::npos) << text;
    // The program's own resources carry its version.
    EXPECT_NE(text.find("VERSION=3.0.12.345\n"), std::string::npos) << text;
    std::filesystem::remove(report);
}

TEST(LaunchAtMediumIntegrity, AProgramThatCannotStartIsReported) {
    EXPECT_EQ(Common::LaunchAtMediumIntegrity("\"C:\\no such folder\\no such program.exe\""),
              "CreateProcessAsUserA failed");
}

}  // namespace
