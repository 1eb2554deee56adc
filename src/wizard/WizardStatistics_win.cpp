#include "wizard/WizardStatistics.h"

// The statistics record (InstallationStatistics) is not part of the build
// yet. Each function below is the single place where its report is made;
// until the record exists they record and send nothing.

namespace Wizard::Statistics {

void RecordLastStep(int) {
    // STATISTICS: InstallationStatistics last step := step.
}

void StartReporting() {
    // STATISTICS: when no installation id exists yet: language code of the
    // current language, TheInstallerConfig() join link, country code and web
    // id into the record; ReportStart (StartInstallation); then the download
    // address := Common::ToAnsi(TheInstallerConfig().DownloadLink()).
}

void StoreContact(const std::u16string&, const std::u16string&, const std::u16string&, bool) {
    // STATISTICS: e-mail address, first name, last name and offers flag into the record.
}

void SendUserData() {
    // STATISTICS: ReportUserData (SaveUserInstallation).
}

void ReportExitConfirmed() {
    // STATISTICS: cancel reason := 1; ReportUserData; ReportCancel.
}

void ReportCancel() {
    // STATISTICS: ReportCancel (CancelInstallation).
}

}  // namespace Wizard::Statistics
