// What the download and install work reports: how it ended, for the
// statistics record, and the end of a successful installation.
#pragma once

#include <string>

#include "msi/PackageFacts.h"

namespace Installation {

enum class WorkPhase { Download, Install };

// Reason codes of the outcome record.
enum CancelReason : int { kCancelledByUser = 1, kDownloadFailure = 2, kInstallFailure = 3 };

class InstallationReports {
public:
    virtual ~InstallationReports() = default;

    virtual void RecordOutcome(WorkPhase phase, int reason, const std::string& errorText) = 0;
    // The end of a successful installation of the package with these facts.
    virtual void ReportEnd(const MSIInstaller::PackageFacts& package) = 0;
};

}  // namespace Installation
