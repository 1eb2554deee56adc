#include "common/FileSize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

TEST(FileSize, SizeOfFilesAndZeroForEverythingElse) {
    std::random_device random;
    const auto folder = std::filesystem::temp_directory_path() / ("corvane-filesize-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    {
        std::ofstream(folder / "five.bin", std::ios::binary) << "12345";
        std::ofstream(folder / "empty.bin", std::ios::binary);
    }
    EXPECT_EQ(Common::FileSize((folder / "five.bin").u16string()), 5u);
    EXPECT_EQ(Common::FileSize((folder / "empty.bin").u16string()), 0u);
    EXPECT_EQ(Common::FileSize((folder / "missing.bin").u16string()), 0u);
    EXPECT_EQ(Common::FileSize(folder.u16string()), 0u);  // a folder
    EXPECT_EQ(Common::FileSize(u""), 0u);
    std::filesystem::remove_all(folder);
}

}  // namespace
