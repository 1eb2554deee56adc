// The statistics record of the run: the installation id, the values the
// wizard's pages collect, and the four reports to the installation-
// statistics service (StartInstallation, EndInstallation,
// CancelInstallation, SaveUserInstallation). Nothing is reported before the
// id exists, that is before the first language choice. A report that fails
// posts one line to the log handler instead and changes nothing else.
//
// The progress values have a lock of their own (the wizard's thread and the
// installation's worker both write them); the other values are set by the
// wizard's thread before the reports that read them. A report takes what it sends
// from the record at once and is then made on the record's own worker, one
// after another in the order they were asked for, so that a silent service
// never holds up the wizard's window.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "common/InstallationLog.h"
#include "services/EventRecord.h"
#include "services/ProgressRecord.h"
#include "services/ReportQueue.h"
#include "services/SoapStatus.h"
#include "services/SoapTimeout.h"
#include "services/StatisticsFallbackLine.h"

class InstallationStatistics {
public:
    // How long a fallback line may wait for the log handler's answer.
    static constexpr long kLogAnswerTimeoutSeconds = 30;
    // How long leaving the program (and a crash) waits for the reports
    // still under way: the process must be gone within two seconds of the
    // wizard's closing, and ending it takes moments of its own. A live
    // service answers a report in a fraction of this.
    static constexpr std::chrono::milliseconds kLeavingWait{1000};

    // What the record needs from the part of the installer that knows the
    // log handler; the wizard binds it.
    struct Support {
        // Posts one fallback line to the log handler at `endpoint`, waiting at
        // most `timeoutSeconds` for its answer. Never raises.
        std::function<void(const std::string& line, const std::string& endpoint, long timeoutSeconds)> postLogLine;
    };

    // Where the record's reports and its remembered id go.
    struct Endpoints {
        std::u16string statisticsUrl;
        std::string logHandlerUrl;
        std::u16string settingsPath;  // below HKEY_CURRENT_USER; holds the value "GUID"
        // How long a report and its fallback line may wait on the network.
        std::uint32_t serviceTimeoutMilliseconds = Soap::kExchangeTimeoutMilliseconds;
        long logTimeoutSeconds = kLogAnswerTimeoutSeconds;
    };
    // The deployment's services and the product's settings key.
    static Endpoints DeploymentEndpoints();

    static constexpr char16_t kPackageVersionUnknown[] = u"Not defined yet";

    // No network activity until the first report. Without support failed
    // reports leave no line.
    explicit InstallationStatistics(const Endpoints& endpoints = DeploymentEndpoints(), Support support = {});
    ~InstallationStatistics();
    InstallationStatistics(const InstallationStatistics&) = delete;
    InstallationStatistics& operator=(const InstallationStatistics&) = delete;

    // Binds the support of a record made before the wizard (the
    // process-wide one); before the first report.
    void SetSupport(Support support) { support_ = std::move(support); }
    // Where each report's outcome is written; before the first report. Shared,
    // since a report abandoned at the end of the program may still write.
    void SetLog(std::shared_ptr<Common::InstallationLog> log) { log_ = std::move(log); }

    // --- what the pages store ---
    void SetLanguageCode(std::u16string code) { languageCode_ = std::move(code); }
    // The configuration's "JOIN_LINK", "COUNTRY_ISO2" and "WID".
    void SetPartnerValues(std::u16string joinLink, std::u16string country, std::u16string wid);
    void SetContact(std::u16string email, std::u16string firstName, std::u16string lastName, bool optIn);
    ProgressRecord& Progress() { return progress_; }
    const ProgressRecord& Progress() const { return progress_; }

    // Empty until the first ReportStart; never changes afterwards.
    const std::u16string& InstallationId() const { return installationId_; }
    // "Not defined yet" until ReportEnd.
    const std::u16string& PackageVersion() const { return packageVersion_; }
    // The id of the previous installation, as ReportEnd found it.
    const std::u16string& PreviousInstallationId() const { return previousId_; }
    const std::u16string& InstallerVersion() const { return installerVersion_; }
    // The event record built by the latest cancel or end report.
    const std::string& LastEventRecord() const { return lastEventRecord_; }

    // --- reports ---
    // Each returns once its report is handed to the worker.
    //
    // StartInstallation, only while there is no installation id: makes one
    // first.
    void ReportStart();
    // EndInstallation with the installed package's "ProductVersion" as read
    // from it (empty when it carries none); then the id is remembered as
    // "GUID" for the next run.
    void ReportEnd(const std::u16string& packageVersion);
    void ReportCancel();
    // SaveUserInstallation, only when an e-mail address was stored.
    void ReportUserData();
    // The cancel report of the crash handler: cancel reason 0, then
    // ReportCancel; waits for it at most kLeavingWait, since the process
    // ends right after.
    void ReportCrash();

    // Waits at most `bound` for the reports asked for so far; true when they
    // have all been made.
    bool WaitForReports(std::chrono::milliseconds bound) { return reports_.WaitUntilDone(bound); }
    // Leaving the program: no report is taken any more, and those under way
    // get at most kLeavingWait; the process may then end without them.
    void FinishReports() { reports_.Close(kLeavingWait); }

private:
    struct Connection;  // the service client (Windows); only the worker uses it
    // One exchange with the service, made on the worker.
    using Exchange = std::function<Soap::Status(Connection&)>;

    // Hands `exchange` to the worker; when it fails there, the worker posts
    // the fallback line for `operation` as well.
    void Send(const std::u16string& operation, Exchange exchange);
    // The record's part of a fallback line; the client adds how it failed.
    FailedReport DescribeFailure(const std::u16string& operation) const;
    std::uint32_t SecondsSinceLaunch() const;
    void ReadPreviousId();
    void RememberId();

    Endpoints endpoints_;
    Support support_;
    std::shared_ptr<Common::InstallationLog> log_;
    // Shared with the reports on their way: one abandoned at the end of the
    // program keeps what it uses.
    std::shared_ptr<Connection> connection_;
    std::u16string installationId_;
    std::u16string languageCode_;
    std::u16string joinLink_;
    std::u16string country_;
    std::u16string wid_;
    std::u16string email_;
    std::u16string firstName_;
    std::u16string lastName_;
    std::u16string packageVersion_ = kPackageVersionUnknown;
    std::u16string installerVersion_;
    bool optIn_ = false;
    std::uint32_t launchTick_ = 0;
    ProgressRecord progress_;
    std::u16string previousId_;
    std::string lastEventRecord_;
    // Last, so that it goes first: the record's end waits (at most
    // kLeavingWait) for the reports under way.
    ReportQueue reports_{kLeavingWait};
};
