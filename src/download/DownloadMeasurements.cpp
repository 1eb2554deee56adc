#include "download/DownloadMeasurements.h"

#include "common/FileSize.h"

namespace Download {

void DownloadMeasurements::Take(std::uint32_t startTick, std::uint32_t nowTick, const std::u16string& path) {
    // Unsigned arithmetic keeps the duration right across a wrap of the tick count.
    durationSeconds = (nowTick - startTick) / 1000;
    if (const auto size = path.empty() ? std::nullopt : Common::EntrySize(path)) {
        fileSize = static_cast<std::uint32_t>(*size);
    }
    if (fileSize != 0 && durationSeconds != 0) speed = fileSize / durationSeconds;
}

}  // namespace Download
