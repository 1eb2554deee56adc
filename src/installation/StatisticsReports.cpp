#include "installation/StatisticsReports.h"

#include "services/InstallationStatistics.h"

namespace Installation {
namespace {

constexpr std::uint32_t kDownloadStep = 2;

// What every outcome of the download and install step records first.
void MarkEnded(InstallationProgress& progress, int reason, const std::string& downloadLink) {
    progress.lastStep = kDownloadStep;
    progress.cancelReason = reason;
    progress.downloadLink = downloadLink;
}

}  // namespace

void StatisticsReports::RecordOutcome(WorkPhase phase, int reason, const std::string& errorText) {
    const OutcomeFacts facts = facts_();
    statistics_.Progress().Update([&](InstallationProgress& progress) {
        MarkEnded(progress, reason, facts.downloadLink);
        progress.downloadErrorResult = facts.downloadError;
        progress.installErrorResult = errorText;
        progress.downloadSeconds = facts.downloadSeconds;
        progress.downloadFileSize = facts.downloadFileSize;
        const auto value = static_cast<std::uint32_t>(facts.progressValue);
        if (phase == WorkPhase::Download) {
            progress.downloadProgress = value;
        } else {
            progress.installProgress = value;
        }
    });
}

void StatisticsReports::RecordUserCancel(const std::string& downloadLink) {
    statistics_.Progress().Update(
        [&](InstallationProgress& progress) { MarkEnded(progress, kCancelledByUser, downloadLink); });
}

void StatisticsReports::ReportEnd(const MSIInstaller::PackageFacts& package) {
    statistics_.ReportEnd(package.productVersion);
}

}  // namespace Installation
