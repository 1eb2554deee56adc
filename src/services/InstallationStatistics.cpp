#include "services/InstallationStatistics.h"

#include "DeploymentValues.h"
#include "common/AnsiText.h"
#include "common/ProductIdentity.h"

InstallationStatistics::Endpoints InstallationStatistics::DeploymentEndpoints() {
    return {Deployment::kStatisticsUrl, Common::ToAnsi(Deployment::kLogHandlerUrl),
            Product::kSettingsKey};
}

void InstallationStatistics::SetPartnerValues(std::u16string joinLink, std::u16string country, std::u16string wid) {
    joinLink_ = std::move(joinLink);
    country_ = std::move(country);
    wid_ = std::move(wid);
}

void InstallationStatistics::SetContact(std::u16string email, std::u16string firstName, std::u16string lastName,
                                        bool optIn) {
    email_ = std::move(email);
    firstName_ = std::move(firstName);
    lastName_ = std::move(lastName);
    optIn_ = optIn;
}

FailedReport InstallationStatistics::DescribeFailure(const std::u16string& operation) const {
    FailedReport report;
    report.operation = operation;
    report.installationId = installationId_;
    report.joinLink = joinLink_;
    report.wid = wid_;
    report.productCode = Product::kStatisticsProductCode;
    report.packageVersion = packageVersion_;
    report.installerVersion = installerVersion_;
    return report;
}

void InstallationStatistics::ReportCrash() {
    progress_.Update([](InstallationProgress& progress) { progress.cancelReason = 0; });
    ReportCancel();
    WaitForReports(kLeavingWait);
}
