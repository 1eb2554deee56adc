#include "installation/EnginePackageSource_win.h"

#include "configuration/InstallerConfig.h"
#include "download/DownloadErrors.h"
#include "services/ProgressRecord.h"

namespace Installation {

EnginePackageSource::EnginePackageSource(InstallerConfig& config, ProgressRecord& progress,
                                         const std::atomic<bool>& stopping, DownloadProgressCallback onProgress,
                                         Common::InstallationLog* log)
    : config_(config), progress_(progress), stopping_(stopping), engine_(std::move(onProgress)) {
    engine_.SetLog(log);
}

void EnginePackageSource::MarkStart(bool restart) {
    if (restart || startTick_ == 0) startTick_ = Download::TickCount();
}

Download::DownloadMeasurements EnginePackageSource::Measure() {
    measurements_.Take(startTick_, Download::TickCount(), engine_.TargetPath());
    return measurements_;
}

std::u16string EnginePackageSource::DownloadLink() { return config_.DownloadLink(); }

void EnginePackageSource::ResetDownloadLink() { config_.ResetDownloadLink(); }

std::u16string EnginePackageSource::DownloadFolder() { return config_.DownloadFolder(); }

std::u16string EnginePackageSource::ExpectedPackageDigest() { return config_.PackageDigestText(); }

void EnginePackageSource::StopIfStopping() const {
    if (stopping_) throw StopDownloading();
}

void EnginePackageSource::SetUrl(const std::u16string& url) {
    StopIfStopping();
    engine_.SetUrl(url);
}

std::u16string EnginePackageSource::ResolveTargetPath(const std::u16string& folder) {
    StopIfStopping();
    return engine_.ResolveTargetPath(folder);
}

std::u16string EnginePackageSource::Download() {
    StopIfStopping();
    return engine_.Download();
}

void EnginePackageSource::TakeDownloadMeasurements() {
    const Download::DownloadMeasurements measured = Measure();
    progress_.Update([&](InstallationProgress& progress) {
        progress.downloadSeconds = measured.durationSeconds;
        progress.downloadFileSize = measured.fileSize;
    });
}

}  // namespace Installation
