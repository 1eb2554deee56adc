#include "services/InstallationStatistics.h"

#include <windows.h>


#include "common/AnsiText.h"
#include "common/Utf8Text.h"
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

    // How the latest exchange failed, added to the record's part of the line.
    std::string FallbackLine(FailedReport report) const {
        report.clientError = service.GetClientError();
        report.faultCode = service.GetLastFault().codeText;
        report.faultString = service.GetLastFault().faultString;
        report.statusCode = service.GetStatusCode();
        return StatisticsFallbackLine(report);
    }

    // The log's words for how the latest exchange went.
    std::string Outcome(const std::u16string& operation, Soap::Status status, bool fallbackPosted) const {
        std::string line = "statistics: " + Common::ToUtf8(operation);
        if (!Soap::Failed(status)) return line + " reported";
        // In hexadecimal as HRESULTs are read; not through MinGW's own
        // snprintf, which would bring its whole formatter into the installer.
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string code = "0x";
        const auto bits = static_cast<std::uint32_t>(status);
        for (int shift = 28; shift >= 0; shift -= 4) code += kDigits[(bits >> shift) & 0xF];
        line += " failed: " + code + ", HTTP status " + std::to_string(service.GetStatusCode()) +
                ", client error " + std::to_string(static_cast<int>(service.GetClientError()));
        const std::u16string& fault = service.GetLastFault().faultString;
        if (!fault.empty()) line += ", fault \"" + Common::ToUtf8(fault) + "\"";
        return line + (fallbackPosted ? "; a fallback line goes to the log handler" : "");
    }

    NewStats::CDesktopServiceT<> service;
};

namespace {

constexpr char16_t kGuidValue[] = u"GUID";

}  // namespace

InstallationStatistics::InstallationStatistics(const Endpoints& endpoints, Support support)
    : endpoints_(endpoints),
      support_(std::move(support)),
      connection_(std::make_shared<Connection>(endpoints)),
      installerVersion_(Common::OwnProductVersion()),
      launchTick_(GetTickCount()) {}

InstallationStatistics::~InstallationStatistics() = default;

void InstallationStatistics::Send(const std::u16string& operation, Exchange exchange) {
    // Everything the worker needs is copied now: the record may change, or
    // go, while the report waits its turn.
    reports_.Post([connection = connection_, exchange = std::move(exchange), failure = DescribeFailure(operation),
                   postLogLine = support_.postLogLine, logUrl = endpoints_.logHandlerUrl,
                   logTimeout = endpoints_.logTimeoutSeconds, log = log_, operation] {
        const ComApartment com;  // the worker's own, for WinInet and MSXML
        const Soap::Status status = exchange(*connection);
        const bool fallback = Soap::Failed(status) && postLogLine;
        if (log) log->Line(connection->Outcome(operation, status, fallback));
        if (fallback) postLogLine(connection->FallbackLine(failure), logUrl, logTimeout);
    });
}

void InstallationStatistics::ReportStart() {
    if (!installationId_.empty()) return;
    installationId_ = MakeInstallationId();  // never empty: the nil UUID at worst

    Send(u"StartInstallation", [id = installationId_, installer = installerVersion_, language = languageCode_,
                                joinLink = joinLink_, country = country_, wid = wid_](Connection& connection) {
        // The machine's probes run on the worker too.
        const std::u16string adapters = Common::FromAnsi(AdapterList());
        const std::u16string system = SystemInfo().Description();
        return connection.service.StartInstallation(id, Product::kStatisticsProductCode, installer, adapters,
                                                    language, system, joinLink, country, wid);
    });
}

void InstallationStatistics::ReportEnd(const std::u16string& packageVersion) {
    if (installationId_.empty()) return;

    packageVersion_ = packageVersion;

    ReadPreviousId();
    lastEventRecord_ = EndInstallationEventXml(progress_.Snapshot(), packageVersion_, previousId_);
    Send(u"EndInstallation", [id = installationId_, version = packageVersion_](Connection& connection) {
        return connection.service.EndInstallation(id, version);
    });
    RememberId();
}

void InstallationStatistics::ReportCancel() {
    if (installationId_.empty()) return;
    lastEventRecord_ = CancelEventXml(progress_.Snapshot(), previousId_, SecondsSinceLaunch(), GetThreadLocale());
    Send(u"CancelInstallation",
         [id = installationId_](Connection& connection) { return connection.service.CancelInstallation(id); });
}

void InstallationStatistics::ReportUserData() {
    if (installationId_.empty() || email_.empty()) return;
    Send(u"SaveUserInstallation", [id = installationId_, email = email_, firstName = firstName_,
                                   lastName = lastName_, optIn = optIn_](Connection& connection) {
        return connection.service.SaveUserInstallation(id, email, firstName, lastName, optIn);
    });
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

