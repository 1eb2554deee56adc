// The reports of an installation over the run's statistics record: how the
// work ended goes into the record's progress (with the download's error,
// time and size, and how far the bar had come), the end of a successful
// installation becomes EndInstallation.
#pragma once

#include <functional>
#include <string>

#include "installation/InstallationReports.h"

class InstallationStatistics;

namespace Installation {

// What the reports read from the running work when an outcome is recorded.
struct OutcomeFacts {
    std::string downloadLink;  // ANSI code page
    std::int32_t downloadError = 0;
    std::uint32_t downloadSeconds = 0;
    std::uint32_t downloadFileSize = 0;
    int progressValue = 0;  // the bar's value in the phase that ended
};

class StatisticsReports : public InstallationReports {
public:
    StatisticsReports(InstallationStatistics& statistics, std::function<OutcomeFacts()> facts)
        : statistics_(statistics), facts_(std::move(facts)) {}

    void RecordOutcome(WorkPhase phase, int reason, const std::string& errorText) override;
    void ReportEnd(const MSIInstaller::PackageFacts& package) override;
    // The user asked to leave while the package downloads: a cancel in the
    // download step, whatever the work's own outcome is going to be.
    void RecordUserCancel(const std::string& downloadLink);

private:
    InstallationStatistics& statistics_;
    std::function<OutcomeFacts()> facts_;
};

}  // namespace Installation
