// What the engine tests share: a scratch download folder per test, the
// failure an operation raised, and a wait for a byte count that has come to
// rest.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "download/DownloadErrors.h"
#include "download/TargetPath.h"

namespace DownloadTestSupport {

// An empty folder named after the running test, removed again at the end.
// Its random suffix keeps test runs of several build trees apart.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("corvane-dl-") + test->name() + "-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::u16string Path() const { return path_.u16string(); }
    std::u16string Target(const std::u16string& name) const { return Download::JoinTargetPath(Path(), name); }

private:
    std::filesystem::path path_;
};

// An ASCII address as the engine takes it.
inline std::u16string Wide(const std::string& ascii) { return Download::WidenBytes(ascii); }

// What `operation` raised; fails the test when it raised no UDownloadException.
template <typename Operation>
UDownloadException DownloadError(Operation operation) {
    try {
        operation();
    } catch (const UDownloadException& error) {
        return error;
    }
    ADD_FAILURE() << "no UDownloadException";
    return UDownloadException(DownloadFailure::TransferFailed, 0);
}

// Whether a failure names what failed and the code behind it.
inline ::testing::AssertionResult IsFailure(const UDownloadException& error, DownloadFailure failure,
                                            std::int32_t code) {
    if (error.Failure() == failure && error.Code() == code) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "failure " << static_cast<int>(error.Failure()) << " with code "
                                         << error.Code();
}

// The value of `count` once it has stopped changing: the same over `quiet`.
// A pause reaches the transfer thread at its next progress call, and bytes
// already on their way may still arrive; fails the test when the count is
// still moving after `bound`.
inline double SettledCount(const std::atomic<double>& count,
                           std::chrono::milliseconds quiet = std::chrono::milliseconds(500),
                           std::chrono::seconds bound = std::chrono::seconds(20)) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + bound;
    double last = count.load();
    auto stillSince = Clock::now();
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const double now = count.load();
        if (now != last) {
            last = now;
            stillSince = Clock::now();
        } else if (Clock::now() - stillSince >= quiet) {
            return last;
        }
    }
    ADD_FAILURE() << "the byte count was still moving after " << bound.count() << " s";
    return last;
}

}  // namespace DownloadTestSupport
