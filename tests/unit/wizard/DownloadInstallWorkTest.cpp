#include "wizard/DownloadInstallWork.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <set>

#include "common/AnsiText.h"
#include "common/Sha256.h"
#include "download/DownloadErrors.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "msi/MsiErrors.h"

namespace {

using namespace Wizard;

// Plays the page, the engine and the machine; records what the work asked for.
class FakeHost : public DownloadInstallHost {
public:
    std::vector<std::string> log;
    std::u16string link = u"http://stamped/p.msi";
    std::map<std::u16string, bool> databases;             // path -> opens as an installer database
    std::deque<std::function<std::u16string()>> downloads;  // one per Download call
    std::u16string resolved = u"C:\\dl\\p.msi";
    std::deque<ErrorChoice> choices;
    int comparison = 0;
    std::u16string uninstall = u"MsiExec.exe /I{1234}";
    VersionRecord installed;
    std::optional<VersionRecord> package = VersionRecord{3, 0, 12, 345};
    std::deque<std::function<void()>> installs;
    std::u16string digest;                         // as stamped; empty: none
    std::map<std::u16string, std::string> bytes;   // path -> content of the file
    std::set<std::u16string> unholdable;           // open for writing elsewhere

    // Notes when the hold ends.
    class HeldFake : public Common::HeldFile {
    public:
        HeldFake(FakeHost& host, std::string content) : host_(host), content_(std::move(content)) {}
        ~HeldFake() override { host_.Note("release"); }
        std::optional<Common::Sha256Digest> Sha256() override { return Common::Sha256Of(content_); }

    private:
        FakeHost& host_;
        std::string content_;
    };

    void Note(const std::string& event) { log.push_back(event); }
    bool Saw(const std::string& event) const { return std::find(log.begin(), log.end(), event) != log.end(); }
    int Count(const std::string& event) const { return static_cast<int>(std::count(log.begin(), log.end(), event)); }
    int CountStartingWith(const std::string& prefix) const {
        return static_cast<int>(std::count_if(log.begin(), log.end(),
                                              [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
    }

    void ShowStatus(std::int32_t item) override { Note("status " + std::to_string(item)); }
    void ResetProgress() override {}
    void SetSweeping(bool) override {}
    void EnableCancel(bool enabled) override { Note(enabled ? "cancel on" : "cancel off"); }
    void SetDownloading(bool) override {}
    ErrorChoice ShowError(const std::u16string& text, ErrorButtons buttons) override {
        Note("error " + Common::ToAnsi(text) + (buttons == ErrorButtons::Close ? " [close]" : " [retry]"));
        if (choices.empty()) return ErrorChoice::Cancel;
        const ErrorChoice choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void RecordOutcome(WorkPhase phase, int reason, const std::string& text) override {
        Note(std::string("outcome ") + (phase == WorkPhase::Download ? "download " : "install ") +
             std::to_string(reason) + (text.empty() ? "" : " " + text));
    }
    void CloseWizard() override { Note("close"); }
    void MoveToNextPage() override { Note("next"); }
    std::u16string DownloadLink() override { return link; }
    void ResetDownloadLink() override { link = u"http://default/download.asp"; }
    std::u16string DownloadFolder() override { return u"C:\\dl"; }
    std::u16string InstallCommandLine() override { return u"ADDLOCAL=MainProgram"; }
    void SaveSettings() override { Note("save"); }
    std::u16string ExpectedPackageDigest() override { return digest; }
    void SetUrl(const std::u16string& url) override { Note("url " + Common::ToAnsi(url)); }
    std::u16string ResolveTargetPath(const std::u16string&) override { return resolved; }
    std::u16string Download() override {
        Note("download");
        if (downloads.empty()) return resolved;
        auto next = downloads.front();
        downloads.pop_front();
        return next();
    }
    void TakeDownloadMeasurements() override {}
    std::unique_ptr<Common::HeldFile> HoldPackage(const std::u16string& path) override {
        if (unholdable.count(path)) return nullptr;
        Note("hold");
        return std::make_unique<HeldFake>(*this, bytes[path]);
    }
    bool IsInstallerDatabase(const std::u16string& path) override {
        const auto found = databases.find(path);
        return found != databases.end() && found->second;
    }
    int CompareInstalledVersion() override { return comparison; }
    std::u16string UninstallCommand() override { return uninstall; }
    void RunAndWait(const std::u16string& command) override { Note("run " + Common::ToAnsi(command)); }
    VersionRecord InstalledVersion() override { return installed; }
    std::optional<VersionRecord> PackageVersion(const std::u16string&) override { return package; }
    void Install(const std::u16string&, const std::u16string&) override {
        Note("install");
        if (installs.empty()) return;
        auto next = installs.front();
        installs.pop_front();
        next();
    }
    void ReportEnd(const std::u16string&) override { Note("end report"); }
};

// The package becomes a database once "downloaded".
void DownloadGivesPackage(FakeHost& host) {
    host.downloads.push_back([&host] {
        host.databases[host.resolved] = true;
        return host.resolved;
    });
}

TEST(DownloadInstallWork, DownloadsInstallsReportsAndMovesOn) {
    FakeHost host;
    DownloadGivesPackage(host);
    DownloadInstallWork(host).Run();
    // The file is let go before the transfer writes it, and held from its
    // check until the installation has read it.
    EXPECT_EQ(host.log, (std::vector<std::string>{"status 16", "url http://stamped/p.msi", "hold", "release",
                                                  "cancel on", "download", "hold", "status 17", "cancel off",
                                                  "install", "end report", "release", "save", "cancel on", "next"}));
}

TEST(DownloadInstallWork, ReusesAPackageAlreadyInTheDownloadFolder) {
    FakeHost host;
    host.databases[host.resolved] = true;
    DownloadInstallWork(host).Run();
    EXPECT_FALSE(host.Saw("download"));
    EXPECT_TRUE(host.Saw("install"));
    EXPECT_TRUE(host.Saw("next"));
}

TEST(DownloadInstallWork, AFileThatIsNoPackageIsFetchedOnceMoreFromTheBuiltInAddress) {
    FakeHost host;
    host.downloads.push_back([&host] { return host.resolved; });  // not a database
    host.downloads.push_back([&host] { return host.resolved; });  // still not
    DownloadInstallWork(host).Run();
    EXPECT_EQ(host.Count("download"), 2);
    EXPECT_TRUE(host.Saw("url http://default/download.asp"));
    EXPECT_TRUE(host.Saw("install"));  // whose failure then tells what is wrong with it
}

// A configured copy may name its package by SHA-256. A file with another
// digest, or one that cannot be held against changes, is treated like a file
// that is no installer database, except that it never reaches the installation.
TEST(DownloadInstallWork, AStampedDigestDecidesWhichPackageIsInstalled) {
    const std::string good = "the package", evil = "another package";
    const auto hexOf = [](const std::string& content) {
        std::u16string hex;
        for (const auto byte : Common::Sha256Of(content)) {
            hex += u"0123456789ABCDEF"[byte >> 4];
            hex += u"0123456789abcdef"[byte & 0xF];  // either case is read
        }
        return hex;
    };
    struct Case {
        const char* name;
        std::u16string digest;
        const std::string* inFolder;  // already in the download folder, else nothing
        std::vector<const std::string*> transfers;
        bool unholdable;
        int downloads;
        bool installed;
    };
    const Case cases[] = {
        {"matching transfer", hexOf(good), nullptr, {&good}, false, 1, true},
        {"other file, then the package from the built-in address", hexOf(good), nullptr, {&evil, &good}, false, 2,
         true},
        {"other file twice", hexOf(good), nullptr, {&evil, &evil}, false, 2, false},
        {"matching file in the folder", hexOf(good), &good, {}, false, 0, true},
        {"other file in the folder", hexOf(good), &evil, {&good}, false, 1, true},
        {"digest that is no digest", u"not hexadecimal", nullptr, {&good, &good}, false, 2, false},
        {"file held open for writing elsewhere", hexOf(good), nullptr, {&good, &good}, true, 2, false},
        {"no digest, file held open for writing elsewhere", u"", nullptr, {&good, &good}, true, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.digest = c.digest;
        if (c.inFolder) {
            host.bytes[host.resolved] = *c.inFolder;
            host.databases[host.resolved] = true;
        }
        for (const std::string* transfer : c.transfers) {
            host.downloads.push_back([&host, transfer] {
                host.bytes[host.resolved] = *transfer;
                host.databases[host.resolved] = true;
                return host.resolved;
            });
        }
        if (c.unholdable) host.unholdable.insert(host.resolved);
        DownloadInstallWork(host).Run();

        EXPECT_EQ(host.Count("download"), c.downloads);
        EXPECT_EQ(host.Saw("install"), c.installed);
        EXPECT_EQ(host.Saw("next"), c.installed);
        if (c.downloads == 2) {
            EXPECT_TRUE(host.Saw("url http://default/download.asp"));
        }
        if (!c.installed) {
            EXPECT_TRUE(host.Saw("outcome download 2"));
            EXPECT_TRUE(host.Saw("error " + Common::ToAnsi(LanguageManager().Get_Text(LI_DOWNLOAD_FAILED)) + " [close]"));
            EXPECT_EQ(host.CountStartingWith("error "), 1);
            EXPECT_TRUE(host.Saw("close"));
        }
    }
}

TEST(DownloadInstallWork, RetryAfterADownloadErrorStartsOverFromTheBuiltInAddress) {
    FakeHost host;
    host.downloads.push_back([]() -> std::u16string { throw UDownloadException(u"Server unavailable 404"); });
    DownloadGivesPackage(host);
    host.choices = {ErrorChoice::Retry};
    DownloadInstallWork(host).Run();
    EXPECT_TRUE(host.Saw("outcome download 2"));
    EXPECT_TRUE(host.Saw("error Server unavailable 404 [retry]"));
    EXPECT_EQ(host.log[host.log.size() - 1], "next");
    EXPECT_EQ(host.Count("url http://default/download.asp"), 1);
}

TEST(DownloadInstallWork, CancelledDownloadClosesTheWizardAndDownloadsNothingMore) {
    FakeHost host;
    host.downloads.push_back([]() -> std::u16string { throw StopDownloading(); });
    DownloadInstallWork(host).Run();
    EXPECT_EQ(host.Count("download"), 1);
    EXPECT_TRUE(host.Saw("outcome download 1"));
    EXPECT_TRUE(host.Saw("close"));
    EXPECT_FALSE(host.Saw("install"));
    EXPECT_FALSE(host.Saw("next"));
}

TEST(DownloadInstallWork, AWizardClosingBeforeTheInstallationInstallsNothingAndStays) {
    FakeHost host;
    host.databases[host.resolved] = true;
    host.installs.push_back([] { throw StopDownloading(); });
    DownloadInstallWork(host).Run();
    EXPECT_TRUE(host.Saw("outcome install 1"));
    EXPECT_FALSE(host.Saw("end report") || host.Saw("save") || host.Saw("next") || host.Saw("close"));
    EXPECT_EQ(host.CountStartingWith("error"), 0);
}

TEST(DownloadInstallWork, ReinstallRemovesTheInstalledVersionQuietly) {
    FakeHost host;
    host.databases[host.resolved] = true;
    host.comparison = 1;
    host.installed = VersionRecord{3, 0, 12, 345};  // same as the package
    DownloadInstallWork(host).Run();
    EXPECT_TRUE(host.Saw("run MsiExec.exe /X{1234} SHOWSURV=NO /quiet /norestart"));
    // Recorded as the same version: nothing to install, the end is still reported.
    EXPECT_FALSE(host.Saw("install"));
    EXPECT_TRUE(host.Saw("end report"));
}

TEST(DownloadInstallWork, AnotherInstallationInProgressCanBeRetriedWholly) {
    FakeHost host;
    host.databases[host.resolved] = true;
    host.comparison = 2;
    host.installs.push_back([] { throw MSIInstaller::Error(u"MsiInstallProductW returned 1618"); });
    host.choices = {ErrorChoice::Retry};
    DownloadInstallWork(host).Run();
    EXPECT_EQ(host.Count("install"), 2);
    EXPECT_EQ(host.Count("release"), 1);  // the package stays held across the retry
    EXPECT_EQ(host.Count("run MsiExec.exe /X{1234} SHOWSURV=NO /quiet /norestart"), 2);
    EXPECT_TRUE(host.Saw("end report"));
    EXPECT_FALSE(host.Saw("close"));
}

TEST(DownloadInstallWork, InstallationErrorsEndTheWizard) {
    struct Case {
        const char16_t* text;
        bool dialog;
    };
    const Case cases[] = {{u"code 1618", true}, {u"code 1601", true}, {u"code 1603", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Common::ToAnsi(c.text));
        FakeHost host;
        host.databases[host.resolved] = true;
        const std::u16string text = c.text;
        host.installs.push_back([text] { throw MSIInstaller::FatalError(text); });
        DownloadInstallWork(host).Run();
        EXPECT_TRUE(host.Saw("outcome install 3 " + Common::ToAnsi(text)));
        EXPECT_EQ(host.CountStartingWith("error "), c.dialog ? 1 : 0);
        EXPECT_TRUE(host.Saw("close"));
        EXPECT_FALSE(host.Saw("end report"));
    }
}

TEST(DownloadInstallWork, QuietRemovalCommand) {
    EXPECT_EQ(QuietRemovalCommand(u"MsiExec.exe /I{A} /I"), u"MsiExec.exe /X{A} /X SHOWSURV=NO /quiet /norestart");
    EXPECT_EQ(QuietRemovalCommand(u"uninst.exe"), u"uninst.exe SHOWSURV=NO /quiet /norestart");
}

}  // namespace
