#include "wizard/WizardStatistics.h"

#include "common/AnsiText.h"
#include "configuration/InstallerConfig.h"
#include "installation/StatisticsSupport.h"
#include "language/AsLanguage_Manager.h"
#include "services/InstallationStatistics.h"

namespace Wizard::Statistics {

void RecordLastStep(int step) {
    TheInstallationStatistics().Progress().Update(
        [&](InstallationProgress& progress) { progress.lastStep = static_cast<std::uint32_t>(step); });
}

void RecordLicenceAccepted(bool accepted) {
    TheInstallationStatistics().Progress().Update(
        [&](InstallationProgress& progress) { progress.licenseAccepted = accepted; });
}

void RecordFeatureFlags(std::uint32_t flags) {
    TheInstallationStatistics().Progress().Update([&](InstallationProgress& progress) { progress.featureBits = flags; });
}

void StartReporting(InstallerConfig& config) {
    InstallationStatistics& statistics = TheInstallationStatistics();
    if (!statistics.InstallationId().empty()) return;  // reported at the first choice only
    statistics.SetSupport(Installation::RecordSupport());  // every report comes after this one
    statistics.SetLanguageCode(LanguageCode(LanguageManager().Current_Language()));
    statistics.SetPartnerValues(config.JoinLink(), config.CountryCode(), config.WebId());
    statistics.ReportStart();
    const std::string link = Common::ToAnsi(config.DownloadLink());
    statistics.Progress().Update([&](InstallationProgress& progress) { progress.downloadLink = link; });
}

void StoreContact(const std::u16string& email, const std::u16string& firstName, const std::u16string& lastName,
                  bool wantsOffers) {
    TheInstallationStatistics().SetContact(email, firstName, lastName, wantsOffers);
}

void SendUserData() { TheInstallationStatistics().ReportUserData(); }

void ReportExitConfirmed() {
    InstallationStatistics& statistics = TheInstallationStatistics();
    statistics.Progress().Update([](InstallationProgress& progress) { progress.cancelReason = 1; });
    statistics.ReportUserData();
    statistics.ReportCancel();
}

void ReportCancel() { TheInstallationStatistics().ReportCancel(); }

}  // namespace Wizard::Statistics
