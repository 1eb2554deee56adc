// The package source of a real installation: the configured address and
// download folder, and the libcurl download engine that fetches the package.
// It also keeps when the download began, for the statistics.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "download/DownloadMeasurements.h"
#include "download/PackageDownloader.h"
#include "installation/PackageSource.h"

class InstallerConfig;
class ProgressRecord;

namespace Installation {

class EnginePackageSource : public PackageSource {
public:
    // `stopping` turns every later step into StopDownloading. The engine
    // writes to `log` when there is one.
    EnginePackageSource(InstallerConfig& config, ProgressRecord& progress, const std::atomic<bool>& stopping,
                        DownloadProgressCallback onProgress, Common::InstallationLog* log = nullptr);

    // The engine's own controls, for the job.
    PackageDownloader& Engine() { return engine_; }
    // The start of the download: the first phase, and every new transfer.
    void MarkStart(bool restart);
    // Time and size of the download up to now.
    Download::DownloadMeasurements Measure();

    std::u16string DownloadLink() override;
    void ResetDownloadLink() override;
    std::u16string DownloadFolder() override;
    std::u16string ExpectedPackageDigest() override;
    void SetUrl(const std::u16string& url) override;
    std::u16string ResolveTargetPath(const std::u16string& folder) override;
    std::u16string Download() override;
    void TakeDownloadMeasurements() override;

private:
    void StopIfStopping() const;

    InstallerConfig& config_;
    ProgressRecord& progress_;
    const std::atomic<bool>& stopping_;
    PackageDownloader engine_;
    std::atomic<std::uint32_t> startTick_{0};
    Download::DownloadMeasurements measurements_;
};

}  // namespace Installation
