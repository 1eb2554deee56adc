#include "wizard/WizardStatistics.h"

#include "download/LogPoster.h"
#include "msi/PackageDatabase.h"

namespace Wizard::Statistics {

InstallationStatistics::Support RecordSupport() {
    InstallationStatistics::Support support;
    support.packageVersion = [](const std::u16string& packagePath) {
        std::u16string version;
        MSIInstaller::PackageDatabase database;
        if (database.Open(packagePath)) database.ReadProductVersion(version);
        return version;
    };
    support.postLogLine = [](const std::string& line, const std::string& endpoint, long timeoutSeconds) {
        PostLogMessage(line, endpoint, timeoutSeconds);
    };
    return support;
}

}  // namespace Wizard::Statistics
