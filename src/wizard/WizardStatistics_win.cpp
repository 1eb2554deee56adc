#include "wizard/WizardStatistics.h"

#include "common/AnsiText.h"
#include "configuration/InstallerConfig.h"
#include "language/AsLanguage_Manager.h"
#include "services/InstallationStatistics.h"

namespace Wizard::Statistics {

void RecordLastStep(int step) { TheInstallationStatistics().Progress().lastStep = static_cast<std::uint32_t>(step); }

void StartReporting(InstallerConfig& config) {
    InstallationStatistics& statistics = TheInstallationStatistics();
    if (!statistics.InstallationId().empty()) return;  // reported at the first choice only
    statistics.SetSupport(RecordSupport());  // every report comes after this one
    statistics.SetLanguageCode(LanguageCode(LanguageManager().Current_Language()));
    statistics.SetPartnerValues(config.JoinLink(), config.CountryCode(), config.WebId());
    statistics.ReportStart();
    statistics.Progress().downloadLink = Common::ToAnsi(config.DownloadLink());
}

void StoreContact(const std::u16string& email, const std::u16string& firstName, const std::u16string& lastName,
                  bool wantsOffers) {
    TheInstallationStatistics().SetContact(email, firstName, lastName, wantsOffers);
}

void SendUserData() { TheInstallationStatistics().ReportUserData(); }

void ReportExitConfirmed() {
    InstallationStatistics& statistics = TheInstallationStatistics();
    statistics.Progress().cancelReason = 1;
    statistics.ReportUserData();
    statistics.ReportCancel();
}

void ReportCancel() { TheInstallationStatistics().ReportCancel(); }

}  // namespace Wizard::Statistics
