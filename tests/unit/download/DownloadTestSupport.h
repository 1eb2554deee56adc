// What the engine tests share: a scratch download folder per test and the
// failure an operation raised.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

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

}  // namespace DownloadTestSupport
