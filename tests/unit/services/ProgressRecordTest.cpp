#include "services/ProgressRecord.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// The wizard's thread and the installation's worker write the record at
// the same time, each its own fields, while a report reads it: every write
// lands and every snapshot is one the writers left whole.
TEST(ProgressRecordTest, WritersOnTwoThreadsAndAReaderLoseNothing) {
    ProgressRecord record;
    constexpr std::uint32_t kSteps = 20000;
    std::thread wizard([&] {
        for (std::uint32_t step = 1; step <= kSteps; ++step) {
            record.Update([&](InstallationProgress& progress) {
                progress.lastStep = step;
                progress.featureBits = step;
            });
        }
    });
    std::thread worker([&] {
        for (std::uint32_t step = 1; step <= kSteps; ++step) {
            record.Update([&](InstallationProgress& progress) {
                progress.downloadProgress = step;
                progress.downloadLink = "http://host/" + std::to_string(step);
            });
        }
    });
    for (int read = 0; read < 2000; ++read) {
        const InstallationProgress seen = record.Snapshot();
        if (seen.lastStep != 255) ASSERT_EQ(seen.lastStep, seen.featureBits);
        if (seen.downloadProgress) ASSERT_EQ(seen.downloadLink, "http://host/" + std::to_string(seen.downloadProgress));
    }
    wizard.join();
    worker.join();

    const InstallationProgress last = record.Snapshot();
    EXPECT_EQ(last.lastStep, kSteps);
    EXPECT_EQ(last.featureBits, kSteps);
    EXPECT_EQ(last.downloadProgress, kSteps);
    EXPECT_EQ(last.downloadLink, "http://host/" + std::to_string(kSteps));
}

}  // namespace
