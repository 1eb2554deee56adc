#include "wizard/WizardStatistics.h"

#include "common/AnsiText.h"
#include "configuration/InstallerConfig.h"
#include "installation/StatisticsSupport.h"
#include "language/AsLanguage_Manager.h"
#include "services/InstallationStatistics.h"

namespace Wizard::Statistics {

void RecordLastStep(InstallationStatistics& statistics, int step) {
    statistics.Progress().Update(
        [&](InstallationProgress& progress) { progress.lastStep = static_cast<std::uint32_t>(step); });
}

void RecordLicenceAccepted(InstallationStatistics& statistics, bool accepted) {
    statistics.Progress().Update([&](InstallationProgress& progress) { progress.licenseAccepted = accepted; });
}

void RecordFeatureFlags(InstallationStatistics& statistics, std::uint32_t flags) {
    statistics.Progress().Update([&](InstallationProgress& progress) { progress.featureBits = flags; });
}

void StartReporting(Installation::Session& session) {
    InstallationStatistics& statistics = session.statistics;
    if (!statistics.InstallationId().empty()) return;  // reported at the first choice only
    statistics.SetSupport(Installation::RecordSupport());  // every report comes after this one
    statistics.SetLanguageCode(LanguageCode(session.language.Current_Language()));
    InstallerConfig& config = session.config;
    statistics.SetPartnerValues(config.JoinLink(), config.CountryCode(), config.WebId());
    statistics.ReportStart();
    const std::string link = Common::ToAnsi(config.DownloadLink());
    statistics.Progress().Update([&](InstallationProgress& progress) { progress.downloadLink = link; });
}

void StoreContact(InstallationStatistics& statistics, const std::u16string& email, const std::u16string& firstName,
                  const std::u16string& lastName, bool wantsOffers) {
    statistics.SetContact(email, firstName, lastName, wantsOffers);
}

void SendUserData(InstallationStatistics& statistics) { statistics.ReportUserData(); }

std::function<void()> ExitConfirmedReport(InstallationStatistics& statistics) {
    return [&statistics] {
        statistics.Progress().Update([](InstallationProgress& progress) { progress.cancelReason = 1; });
        statistics.ReportUserData();
        statistics.ReportCancel();
    };
}

std::function<void()> GivenUpReport(InstallationStatistics& statistics) {
    return [&statistics] { statistics.ReportCancel(); };
}

}  // namespace Wizard::Statistics
