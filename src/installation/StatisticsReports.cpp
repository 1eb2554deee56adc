#include "installation/StatisticsReports.h"

#include "services/InstallationStatistics.h"

namespace Installation {

void StatisticsReports::RecordOutcome(WorkPhase phase, int reason, const std::string& errorText) {
    const OutcomeFacts facts = facts_();
    statistics_.Progress().Update([&](InstallationProgress& progress) {
        progress.lastStep = 2;
        progress.cancelReason = reason;
        progress.downloadLink = facts.downloadLink;
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

void StatisticsReports::ReportEnd(const MSIInstaller::PackageFacts& package) {
    statistics_.ReportEnd(package.productVersion);
}

}  // namespace Installation
