#include "download/DownloadMeasurements.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using Download::DownloadMeasurements;

class DownloadMeasurementsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("corvane-measure-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::u16string File(const char* name, std::size_t size) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
        return path.u16string();
    }

    std::filesystem::path folder_;
};

TEST_F(DownloadMeasurementsTest, SpeedIsSizeOverWholeSeconds) {
    DownloadMeasurements m;
    m.Take(1000, 5999, File("p.msi", 10000));
    EXPECT_EQ(m.durationSeconds, 4u);
    EXPECT_EQ(m.fileSize, 10000u);
    EXPECT_EQ(m.speed, 2500u);
}

TEST_F(DownloadMeasurementsTest, DurationSurvivesTheTickCountWrapping) {
    DownloadMeasurements m;
    m.Take(0xFFFFF000u, 0x00001000u, File("p.msi", 81));  // 8,192 ms across the wrap
    EXPECT_EQ(m.durationSeconds, 8u);
    EXPECT_EQ(m.speed, 10u);
}

TEST_F(DownloadMeasurementsTest, SpeedKeepsItsValueWhenSizeOrDurationIsZero) {
    DownloadMeasurements m;
    m.speed = 77;
    m.Take(1000, 1999, File("quick.msi", 5000));  // under a second
    EXPECT_EQ(m.durationSeconds, 0u);
    EXPECT_EQ(m.fileSize, 5000u);
    EXPECT_EQ(m.speed, 77u);

    m.Take(1000, 4000, File("empty.msi", 0));
    EXPECT_EQ(m.fileSize, 0u);
    EXPECT_EQ(m.speed, 77u);
}

TEST_F(DownloadMeasurementsTest, AMissingFileLeavesTheSizeAndAFolderGivesZero) {
    DownloadMeasurements m;
    m.fileSize = 123;
    m.Take(0, 3000, (folder_ / "missing.msi").u16string());
    EXPECT_EQ(m.fileSize, 123u);
    EXPECT_EQ(m.speed, 41u);
    m.Take(0, 3000, folder_.u16string());  // exists, but has no file size
    EXPECT_EQ(m.fileSize, 0u);
}

}  // namespace
