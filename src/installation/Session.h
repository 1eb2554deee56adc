// What one run of the installer works with: the configured copy, the texts
// in the chosen language, the statistics record with its reports' queue, and
// the run's installation log.
// Made once at start-up and handed down by reference to the wizard, its
// pages and the installation, in place of reaching for process-wide objects.
#pragma once

class InstallerConfig;
class AsLanguage_Manager;
class InstallationStatistics;

namespace Common {
class InstallationLog;
}

namespace Installation {

struct Session {
    InstallerConfig& config;
    AsLanguage_Manager& language;
    InstallationStatistics& statistics;
    // The run's log, outliving the session; none when null.
    Common::InstallationLog* log = nullptr;
};

}  // namespace Installation
