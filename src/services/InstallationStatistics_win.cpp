#include "services/InstallationStatistics.h"

#include <windows.h>

#include "common/AnsiText.h"
#include "common/OwnProductVersion.h"
#include "common/ProductIdentity.h"
#include "common/SettingsRoot.h"
#include "common/WinEx.h"
#include "services/CDesktopServiceT.h"
#include "services/ComApartment_win.h"
#include "services/InstallationId.h"
#include "services/SoapWininetClient.h"
#include "sysinfo/AdapterList.h"
#include "sysinfo/SystemInfo.h"

struct InstallationStatistics::Connection {
    explicit Connection(const Endpoints& endpoints) : service(endpoints.statisticsUrl) {
        service.SetTimeout(endpoints.serviceTimeoutMilliseconds);
    }

    NewStats::CDesktopServiceT<> service;
};

namespace {

constexpr char16_t kGuidValue[] = u"GUID";

}  // namespace

InstallationStatistics::InstallationStatistics(const Endpoints& endpoints, Support support)
    : endpoints_(endpoints),
      support_(std::move(support)),
      connection_(std::make_unique<Connection>(endpoints)),
      installerVersion_(Common::OwnProductVersion()),
      launchTick_(GetTickCount()) {}

InstallationStatistics::~InstallationStatistics() = default;

void InstallationStatistics::ReportStart() {
    if (!installationId_.empty()) return;
    installationId_ = MakeInstallationId();  // never empty: the nil UUID at worst

    const std::u16string adapters = Common::FromAnsi(AdapterList());
    const std::u16string system = SystemInfo().Description();
    const ComApartment com;
    if (Soap::Failed(connection_->service.StartInstallation(installationId_, Product::kStatisticsProductCode,
                                                             installerVersion_, adapters, languageCode_, system,
                                                             joinLink_, country_, wid_))) {
        ReportFailure(u"StartInstallation");
    }
}

void InstallationStatistics::ReportEnd(const std::u16string& packagePath) {
    if (installationId_.empty()) return;

    packageVersion_ = support_.packageVersion ? support_.packageVersion(packagePath) : std::u16string();

    ReadPreviousId();
    lastEventRecord_ = EndInstallationEventXml(progress_, packageVersion_, previousId_);
    {
        const ComApartment com;
        if (Soap::Failed(connection_->service.EndInstallation(installationId_, packageVersion_))) {
            ReportFailure(u"EndInstallation");
        }
    }
    RememberId();
}

void InstallationStatistics::ReportCancel() {
    if (installationId_.empty()) return;
    lastEventRecord_ = CancelEventXml(progress_, previousId_, SecondsSinceLaunch(), GetThreadLocale());
    const ComApartment com;
    if (Soap::Failed(connection_->service.CancelInstallation(installationId_))) ReportFailure(u"CancelInstallation");
}

void InstallationStatistics::ReportUserData() {
    if (installationId_.empty() || email_.empty()) return;
    const ComApartment com;
    if (Soap::Failed(connection_->service.SaveUserInstallation(installationId_, email_, firstName_, lastName_,
                                                                optIn_))) {
        ReportFailure(u"SaveUserInstallation");
    }
}

void InstallationStatistics::ReportFailure(const std::u16string& operation) {
    FailedReport report = DescribeFailure(operation);
    const auto& client = connection_->service;
    report.clientError = client.GetClientError();
    report.faultCode = client.GetLastFault().codeText;
    report.faultString = client.GetLastFault().faultString;
    report.statusCode = client.GetStatusCode();
    if (support_.postLogLine) {
        support_.postLogLine(StatisticsFallbackLine(report), endpoints_.logHandlerUrl, endpoints_.logTimeoutSeconds);
    }
}

std::uint32_t InstallationStatistics::SecondsSinceLaunch() const { return (GetTickCount() - launchTick_) / 1000; }

void InstallationStatistics::ReadPreviousId() {
    try {
        previousId_ = Common::Settings::GetSettingsRoot(endpoints_.settingsPath)->GetString(kGuidValue);
    } catch (const Common::WinEx&) {
        // No id from an earlier run.
    }
}

void InstallationStatistics::RememberId() {
    try {
        Common::Settings::GetSettingsRoot(endpoints_.settingsPath)->SetString(kGuidValue, installationId_);
    } catch (const Common::WinEx&) {
        // The next run then reports no previous id.
    }
}

InstallationStatistics& TheInstallationStatistics() {
    static InstallationStatistics record;
    return record;
}

namespace {

// Made before the wizard starts, so that the launch time is the program's.
[[maybe_unused]] const InstallationStatistics& g_createdAtStart = TheInstallationStatistics();

}  // namespace
