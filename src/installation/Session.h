// What one run of the installer works with: the configured copy, the texts
// in the chosen language, and the statistics record with its reports' queue.
// Made once at start-up and handed down by reference to the wizard, its
// pages and the installation, in place of reaching for process-wide objects.
#pragma once

class InstallerConfig;
class AsLanguage_Manager;
class InstallationStatistics;

namespace Installation {

struct Session {
    InstallerConfig& config;
    AsLanguage_Manager& language;
    InstallationStatistics& statistics;
};

}  // namespace Installation
