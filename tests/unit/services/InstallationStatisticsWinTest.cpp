// The statistics record against the reference server's statistics service
// and log handler.
#include "services/InstallationStatistics.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>

#include "ServicesRefServer.h"
#include "common/AnsiText.h"
#include "common/OwnProductVersion.h"
#include "common/Registry.h"
#include "common/TextUtil.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "packages/TestPackages.h"
#include "sysinfo/AdapterList.h"
#include "sysinfo/SystemInfo.h"
#include "installation/StatisticsSupport.h"

namespace {

using ServicesRefServer::LogLines;
using ServicesRefServer::Operations;
using ServicesRefServer::SoapCalls;

constexpr char16_t kSettingsPath[] = u"Software\\Corvane Tests\\Statistics Record";

std::string Narrow(const std::u16string& text) { return Common::ToAnsi(text); }

class StatisticsRecord : public testing::Test {
protected:
    void SetUp() override {
        TestServer::Reset();
        Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsPath);
    }
    void TearDown() override { Common::Registry::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsPath); }

    static InstallationStatistics::Endpoints Endpoints(const std::u16string& statisticsUrl =
                                                          ServicesRefServer::WideUrl("/DesktopService.asmx")) {
        return {statisticsUrl, TestServer::Url("/LogHandler.ashx"), kSettingsPath};
    }

    // A record whose user has chosen a language.
    static std::unique_ptr<InstallationStatistics> Started(const InstallationStatistics::Endpoints& endpoints =
                                                               Endpoints()) {
        auto record = std::make_unique<InstallationStatistics>(endpoints, Installation::RecordSupport());
        record->SetLanguageCode(u"fr");
        record->SetPartnerValues(u"", u"FR", u"42");
        record->ReportStart();
        return record;
    }

    // The reports are made on the record's worker: the server has seen
    // them once they are all made.
    static void AllMade(InstallationStatistics& record) {
        ASSERT_TRUE(record.WaitForReports(std::chrono::seconds(60)));
    }

    static std::optional<std::u16string> RememberedId() {
        std::u16string id;
        try {
            Common::Registry::ReadString(HKEY_CURRENT_USER, kSettingsPath, u"GUID", id);
        } catch (const Common::WinEx&) {
            return std::nullopt;
        }
        return id;
    }
};

TEST_F(StatisticsRecord, NothingIsReportedBeforeTheFirstLanguageChoice) {
    InstallationStatistics record(Endpoints(), Installation::RecordSupport());
    record.SetContact(u"user@example.com", u"Ann", u"Lee", true);
    record.ReportUserData();
    record.ReportCancel();
    record.ReportEnd(u"3.0.12.345");
    AllMade(record);

    EXPECT_TRUE(SoapCalls().empty());
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(record.InstallationId(), u"");
    EXPECT_EQ(record.PackageVersion(), u"Not defined yet");
    EXPECT_EQ(RememberedId(), std::nullopt);
}

TEST_F(StatisticsRecord, TheFirstLanguageChoiceStartsTheReportsOnce) {
    const auto record = Started();
    record->SetLanguageCode(u"de");  // a second language button
    record->ReportStart();
    AllMade(*record);

    const auto calls = SoapCalls();
    ASSERT_EQ(calls.size(), 1u);
    const auto& start = calls[0];
    EXPECT_EQ(start.operation, "StartInstallation");
    EXPECT_EQ(start.problem, "");
    EXPECT_TRUE(std::regex_match(Narrow(record->InstallationId()),
                                 std::regex("[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}")));
    const std::vector<std::pair<std::string, std::optional<std::string>>> expected = {
        {"Guid", Narrow(record->InstallationId())},
        {"ProductCode", "corvane"},
        {"Installer_build", Narrow(Common::OwnProductVersion())},
        {"MACAddress", AdapterList()},
        {"Language", "fr"},
        {"OSVersion", Narrow(SystemInfo().Description())},
        {"JoinLink", ""},  // empty, not nil
        {"Country", "FR"},
        {"WID", "42"},
    };
    EXPECT_EQ(start.parameters, expected);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(StatisticsRecord, LeavingAfterTheContactDetailsSendsThemBeforeTheCancel) {
    const auto withContact = Started();
    withContact->SetContact(u"ren\u00e9@example.com", u"Ren\u00e9", u"O'Neil <Jr>", true);
    withContact->ReportUserData();
    withContact->ReportCancel();
    AllMade(*withContact);
    const auto calls = SoapCalls();
    ASSERT_EQ(Operations(), (std::vector<std::string>{"StartInstallation", "SaveUserInstallation",
                                                       "CancelInstallation"}));
    const std::string id = Narrow(withContact->InstallationId());
    EXPECT_EQ(calls[1].parameters, (std::vector<std::pair<std::string, std::optional<std::string>>>{
                                       {"Guid", id},
                                       {"Email", "ren\xC3\xA9@example.com"},
                                       {"FirstName", "Ren\xC3\xA9"},
                                       {"LastName", "O'Neil <Jr>"},
                                       {"Optin", "true"}}));
    EXPECT_EQ(calls[2].Value("Guid"), id);
    EXPECT_NE(withContact->LastEventRecord().find("<CancelEvent StepID=\"255\" Reason=\"1\" "), std::string::npos)
        << withContact->LastEventRecord();

    TestServer::Reset();
    const auto withoutContact = Started();
    withoutContact->ReportUserData();
    withoutContact->ReportCancel();
    AllMade(*withoutContact);
    EXPECT_EQ(Operations(), (std::vector<std::string>{"StartInstallation", "CancelInstallation"}));
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(StatisticsRecord, TheEndReportCarriesThePackageVersionAndRemembersTheId) {
    Common::Registry::WriteString(HKEY_CURRENT_USER, kSettingsPath, u"GUID", u"id-of-an-earlier-run");
    const auto first = Started();
    first->ReportEnd(u"3.0.12.345");
    AllMade(*first);

    const auto calls = SoapCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].operation, "EndInstallation");
    EXPECT_EQ(calls[1].Value("Guid"), Narrow(first->InstallationId()));
    EXPECT_EQ(calls[1].Value("MSI_build"), "3.0.12.345");
    EXPECT_EQ(first->PackageVersion(), u"3.0.12.345");
    EXPECT_EQ(first->PreviousInstallationId(), u"id-of-an-earlier-run");
    EXPECT_EQ(RememberedId(), first->InstallationId());
    EXPECT_NE(first->LastEventRecord().find("<EndInstallationEvent MSI_build=\"3.0.12.345\" ProductTitle=\"Corvane "
                                            "2013\" PreviousGUID=\"id-of-an-earlier-run\"/>"),
              std::string::npos)
        << first->LastEventRecord();

    // The next run finds this run's id; a package that carries no version
    // is reported without one.
    const auto next = Started();
    next->ReportEnd(u"");
    AllMade(*next);
    EXPECT_EQ(next->PreviousInstallationId(), first->InstallationId());
    EXPECT_EQ(next->PackageVersion(), u"");
    EXPECT_EQ(SoapCalls().back().Value("MSI_build"), "");
    EXPECT_EQ(RememberedId(), next->InstallationId());
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(StatisticsRecord, AnIdStoredAsAnotherTypeIsNeitherReadNorReplaced) {
    Common::Registry::WriteDword(HKEY_CURRENT_USER, kSettingsPath, u"GUID", 7);
    const auto record = Started();
    record->ReportEnd(u"3.0.12.345");
    AllMade(*record);
    EXPECT_EQ(record->PreviousInstallationId(), u"");
    EXPECT_EQ(Common::Registry::ReadDword(HKEY_CURRENT_USER, kSettingsPath, u"GUID"), 7u);
    EXPECT_EQ(Operations().back(), "EndInstallation");
}

TEST_F(StatisticsRecord, AFailedReportLeavesOneFallbackLine) {
    const struct {
        const char* fault;  // armed for the service's requests
        const char* result;
    } cases[] = {
        {"mode=soapfault&faultcode=soap:Server&faultstring=Database%20down%3B%20later",
         "soap:Server;Database down; later"},
        {"mode=garbage", "HTTP Status Code is 500"},
        {"mode=status&code=503", "HTTP Status Code is 503"},
        {"mode=status&code=404", "HTTP Status Code is 404"},
        {"mode=wrongbody", "HTTP Status Code is 200"},
        {"mode=drop", "HTTP Status Code is 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TestServer::Reset();
        TestServer::ArmFault(std::string("path=/DesktopService.asmx&") + c.fault);
        const auto record = Started();
        AllMade(*record);
        const std::string prefix = "Method:StartInstallation,GUID:" + Narrow(record->InstallationId()) +
                                   ",Joinlink:,Wid:42,ProductId:corvane,MsiVersion:Not defined yet,InstallerVersion:" +
                                   Narrow(record->InstallerVersion()) + ",Fail result:";
        EXPECT_EQ(LogLines(), std::vector<std::string>{prefix + c.result});
        // No second try. (WinInet itself sends a request again once when a
        // connection it reused closes without an answer.)
        const auto operations = Operations();
        ASSERT_FALSE(operations.empty());
        EXPECT_EQ(operations.front(), "StartInstallation");
        if (std::string(c.fault) != "mode=drop") {
            EXPECT_EQ(operations.size(), 1u);
        }
    }
}

TEST_F(StatisticsRecord, AnUnreachableServiceGivesStatusZeroForEachReport) {
    const auto record = Started(Endpoints(u"http://127.0.0.1:1/DesktopService.asmx"));
    record->SetContact(u"user@example.com", u"", u"", false);
    record->ReportUserData();
    record->ReportCancel();
    AllMade(*record);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 3u);
    const char* operations[] = {"StartInstallation", "SaveUserInstallation", "CancelInstallation"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(std::string("Method:") + operations[i] + ",", 0), 0u) << lines[i];
        const std::string end = ",Fail result:HTTP Status Code is 0";
        EXPECT_EQ(lines[i].substr(lines[i].size() - std::min(lines[i].size(), end.size())), end);
    }
    EXPECT_TRUE(SoapCalls().empty());
}

// Runs the crash probe (a program that starts the statistics and then
// crashes) in `folder`; its exit code, or 0 when it did not end in time.
DWORD RunCrashProbe(const std::filesystem::path& folder) {
    std::u16string command = u"\"" + TestPackages::WindowsPath(CORVANE_CRASH_PROBE) + u"\" " +
                             ServicesRefServer::WideUrl("/DesktopService.asmx") + u" " +
                             Common::Ascii(TestServer::Url("/LogHandler.ashx")) + u" \"" + kSettingsPath + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(command.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return 0;
    }
    Common::UniqueHandle thread(process.hThread);
    Common::UniqueHandle owner(process.hProcess);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) return 0;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

TEST_F(StatisticsRecord, ACrashCancelsTheStartedInstallation) {
    const auto folder = std::filesystem::temp_directory_path() / "Corvane Crash Probe";
    std::filesystem::create_directories(folder);
    EXPECT_EQ(RunCrashProbe(folder), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    std::error_code stillInUse;  // by the system's crash reporting, for a moment
    std::filesystem::remove_all(folder, stillInUse);

    const auto calls = SoapCalls();
    ASSERT_EQ(Operations(), (std::vector<std::string>{"StartInstallation", "CancelInstallation"}));
    EXPECT_EQ(calls[1].Value("Guid"), calls[0].Value("Guid"));
    EXPECT_TRUE(LogLines().empty());
}

}  // namespace
