#include "download/DownloadMeasurements.h"

#include <filesystem>
#include <system_error>

namespace Download {

void DownloadMeasurements::Take(std::uint32_t startTick, std::uint32_t nowTick, const std::u16string& path) {
    // Unsigned arithmetic keeps the duration right across a wrap of the tick count.
    durationSeconds = (nowTick - startTick) / 1000;
    std::error_code error;
    const std::filesystem::path file(path);
    if (!path.empty() && std::filesystem::exists(file, error)) {
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        fileSize = error ? 0 : static_cast<std::uint32_t>(size);
    }
    if (fileSize != 0 && durationSeconds != 0) speed = fileSize / durationSeconds;
}

}  // namespace Download
