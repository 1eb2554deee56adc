#include "installation/DownloadInstallWork.h"

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

using namespace Installation;

// What the fakes were asked for, in order, by all four of them.
class Journal {
public:
    std::vector<std::string> log;

    void Note(const std::string& event) { log.push_back(event); }
    bool Saw(const std::string& event) const { return std::find(log.begin(), log.end(), event) != log.end(); }
    int Count(const std::string& event) const { return static_cast<int>(std::count(log.begin(), log.end(), event)); }
    int CountStartingWith(const std::string& prefix) const {
        return static_cast<int>(std::count_if(log.begin(), log.end(),
                                              [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
    }
};

class FakeView : public DownloadInstallView {
public:
    explicit FakeView(Journal& journal) : journal_(journal) {}

    std::deque<ErrorChoice> choices;  // one per error dialog; then Cancel
    std::function<void()> whileErrorShows;  // what the user does elsewhere meanwhile

    void ShowStatus(std::int32_t item) override { journal_.Note("status " + std::to_string(item)); }
    void ResetProgress() override {}
    void SetSweeping(bool) override {}
    void EnableCancel(bool enabled) override { journal_.Note(enabled ? "cancel on" : "cancel off"); }
    void SetDownloading(bool) override {}
    ErrorChoice ShowError(const std::u16string& text, ErrorButtons buttons) override {
        journal_.Note("error " + Common::ToAnsi(text) + (buttons == ErrorButtons::Close ? " [close]" : " [retry]"));
        if (whileErrorShows) whileErrorShows();
        if (choices.empty()) return ErrorChoice::Cancel;
        const ErrorChoice choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void CloseWizard() override { journal_.Note("close"); }
    void MoveToNextPage() override { journal_.Note("next"); }

private:
    Journal& journal_;
};

class FakeSource : public PackageSource {
public:
    explicit FakeSource(Journal& journal) : journal_(journal) {}

    std::u16string link = u"http://stamped/p.msi";
    std::u16string resolved = u"C:\\dl\\p.msi";
    std::deque<std::function<std::u16string()>> downloads;  // one per Download call
    std::u16string digest;                                  // as stamped; empty: none
    bool stopped = false;  // as the engine after a confirmed cancel: every later step stops

    std::u16string DownloadLink() override { return link; }
    void ResetDownloadLink() override { link = u"http://default/download.asp"; }
    std::u16string DownloadFolder() override { return u"C:\\dl"; }
    std::u16string ExpectedPackageDigest() override { return digest; }
    void SetUrl(const std::u16string& url) override {
        ThrowIfStopped();
        journal_.Note("url " + Common::ToAnsi(url));
    }
    std::u16string ResolveTargetPath(const std::u16string&) override {
        ThrowIfStopped();
        return resolved;
    }
    std::u16string Download() override {
        ThrowIfStopped();
        journal_.Note("download");
        if (downloads.empty()) return resolved;
        auto next = downloads.front();
        downloads.pop_front();
        return next();
    }
    void TakeDownloadMeasurements() override {}

private:
    void ThrowIfStopped() const {
        if (stopped) throw StopDownloading();
    }

    Journal& journal_;
};

class FakeMachine : public TargetMachine {
public:
    explicit FakeMachine(Journal& journal) : journal_(journal) {}

    std::map<std::u16string, bool> databases;    // path -> opens as an installer database
    std::map<std::u16string, std::string> bytes;  // path -> content of the file
    std::set<std::u16string> unholdable;          // open for writing elsewhere
    std::set<std::string> unsignedContents;       // contents without the publisher's trusted signature
    VersionComparison comparison = VersionComparison::NotInstalledOrOlder;
    std::u16string uninstall = u"MsiExec.exe /I{1234}";
    VersionRecord installed;
    std::u16string packageVersion = u"3.0.12.345";  // of every package
    std::deque<std::function<void()>> installs;     // one per Install call
    bool restartRequested = false;                  // what every Install call answers
    std::vector<MSIInstaller::PackageFacts> installedFacts;  // as each Install call got them

    // Notes when the hold ends.
    class HeldFake : public Common::HeldFile {
    public:
        HeldFake(Journal& journal, std::string content) : journal_(journal), content_(std::move(content)) {}
        ~HeldFake() override { journal_.Note("release"); }
        std::optional<Common::Sha256Digest> Sha256() override { return Common::Sha256Of(content_); }

    private:
        Journal& journal_;
        std::string content_;
    };

    std::unique_ptr<Common::HeldFile> HoldPackage(const std::u16string& path) override {
        if (unholdable.count(path)) return nullptr;
        journal_.Note("hold");
        return std::make_unique<HeldFake>(journal_, bytes[path]);
    }
    void PrepareChecks() override {}
    bool IsSignedByPublisher(const std::u16string& path) override {
        journal_.Note("signature");
        return unsignedContents.count(bytes[path]) == 0;
    }
    // The product code names the content the facts were read from.
    MSIInstaller::PackageFacts ReadPackageFacts(const std::u16string& path) override {
        MSIInstaller::PackageFacts facts;
        const auto found = databases.find(path);
        facts.isDatabase = found != databases.end() && found->second;
        if (facts.isDatabase) {
            facts.productCode = Common::FromAnsi(bytes[path]);
            facts.productVersion = packageVersion;
        }
        return facts;
    }
    VersionComparison CompareInstalledVersion() override { return comparison; }
    VersionRecord InstalledVersion() override { return installed; }
    std::u16string UninstallCommand() override { return uninstall; }
    void RunAndWait(const std::u16string& command) override { journal_.Note("run " + Common::ToAnsi(command)); }
    std::u16string InstallCommandLine() override { return u"ADDLOCAL=MainProgram"; }
    bool Install(const std::u16string&, const MSIInstaller::PackageFacts& facts, const std::u16string&) override {
        journal_.Note("install");
        installedFacts.push_back(facts);
        if (!installs.empty()) {
            auto next = installs.front();
            installs.pop_front();
            next();
        }
        return restartRequested;
    }
    void SaveSettings() override { journal_.Note("save"); }

private:
    Journal& journal_;
};

class FakeReports : public InstallationReports {
public:
    explicit FakeReports(Journal& journal) : journal_(journal) {}

    void RecordOutcome(WorkPhase phase, int reason, const std::string& text) override {
        journal_.Note(std::string("outcome ") + (phase == WorkPhase::Download ? "download " : "install ") +
                      std::to_string(reason) + (text.empty() ? "" : " " + text));
    }
    void ReportEnd(const MSIInstaller::PackageFacts& package) override {
        journal_.Note("end report");
        reportedVersions.push_back(package.productVersion);
    }

    std::vector<std::u16string> reportedVersions;  // of each end report

private:
    Journal& journal_;
};

// The texts the work shows, in English.
const AsLanguage_Manager& Languages() {
    static MemoryLanguageSetting setting;
    static const AsLanguage_Manager languages(setting);
    return languages;
}

// The page, the engine and the machine of one run, noting into one journal.
struct FakeWizard : Journal {
    FakeView view{*this};
    FakeSource source{*this};
    FakeMachine machine{*this};
    FakeReports reports{*this};
    Outcome outcome = Outcome::InvalidCommandLine;  // none yet

    void Run() { outcome = DownloadInstallWork(view, source, machine, reports, Languages()).Run(); }
};

// The package becomes a database once "downloaded".
void DownloadGivesPackage(FakeWizard& fakes) {
    fakes.source.downloads.push_back([&fakes] {
        fakes.machine.databases[fakes.source.resolved] = true;
        return fakes.source.resolved;
    });
}

TEST(DownloadInstallWork, DownloadsInstallsReportsAndMovesOn) {
    FakeWizard fakes;
    DownloadGivesPackage(fakes);
    fakes.Run();
    // The file is let go before the transfer writes it, and held from its
    // check until the installation has read it.
    EXPECT_EQ(fakes.log, (std::vector<std::string>{"status 16", "url http://stamped/p.msi", "hold", "signature",
                                                  "release", "cancel on", "download", "hold", "signature",
                                                  "status 17", "cancel off",
                                                  "install", "end report", "release", "save", "cancel on", "next"}));
}

TEST(DownloadInstallWork, ReusesAPackageAlreadyInTheDownloadFolder) {
    FakeWizard fakes;
    fakes.machine.databases[fakes.source.resolved] = true;
    fakes.Run();
    EXPECT_FALSE(fakes.Saw("download"));
    EXPECT_TRUE(fakes.Saw("install"));
    EXPECT_TRUE(fakes.Saw("next"));
}

TEST(DownloadInstallWork, AFileThatIsNoPackageIsFetchedOnceMoreFromTheBuiltInAddress) {
    FakeWizard fakes;
    fakes.source.downloads.push_back([&fakes] { return fakes.source.resolved; });  // not a database
    fakes.source.downloads.push_back([&fakes] { return fakes.source.resolved; });  // still not
    fakes.Run();
    EXPECT_EQ(fakes.Count("download"), 2);
    EXPECT_TRUE(fakes.Saw("url http://default/download.asp"));
    EXPECT_TRUE(fakes.Saw("install"));  // whose failure then tells what is wrong with it
}

// A configured copy may name its package by SHA-256; without a digest the
// package must carry the publisher's trusted signature. A file that fails
// either, or one that cannot be held against changes, is fetched once more
// from the built-in address, and never reaches the installation.
TEST(DownloadInstallWork, ADigestOrElseTheSignatureDecidesWhichPackageIsInstalled) {
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
        std::int32_t refusal = LI_PACKAGE_NOT_VERIFIED;  // the text when nothing is installed
    };
    // Only `evil` lacks the publisher's signature.
    const Case cases[] = {
        {"matching transfer", hexOf(good), nullptr, {&good}, false, 1, true},
        {"other file, then the package from the built-in address", hexOf(good), nullptr, {&evil, &good}, false, 2,
         true},
        {"other file twice", hexOf(good), nullptr, {&evil, &evil}, false, 2, false},
        {"matching file in the folder", hexOf(good), &good, {}, false, 0, true},
        {"other file in the folder", hexOf(good), &evil, {&good}, false, 1, true},
        {"digest that is no digest", u"not hexadecimal", nullptr, {&good, &good}, false, 2, false},
        {"digest alone decides, whatever the signature", hexOf(evil), nullptr, {&evil}, false, 1, true},
        {"file held open for writing elsewhere", hexOf(good), nullptr, {&good, &good}, true, 2, false,
         LI_DOWNLOAD_FAILED},
        {"no digest, file held open for writing elsewhere", u"", nullptr, {&good, &good}, true, 2, false,
         LI_DOWNLOAD_FAILED},
        {"no digest, signed transfer", u"", nullptr, {&good}, false, 1, true},
        {"no digest, unsigned, then signed from the built-in address", u"", nullptr, {&evil, &good}, false, 2, true},
        {"no digest, unsigned twice", u"", nullptr, {&evil, &evil}, false, 2, false},
        {"no digest, signed file in the folder", u"", &good, {}, false, 0, true},
        {"no digest, unsigned file in the folder", u"", &evil, {&good}, false, 1, true},
        {"no digest, unsigned file in the folder and unsigned transfers", u"", &evil, {&evil, &evil}, false, 2,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWizard fakes;
        fakes.source.digest = c.digest;
        fakes.machine.unsignedContents = {evil};
        if (c.inFolder) {
            fakes.machine.bytes[fakes.source.resolved] = *c.inFolder;
            fakes.machine.databases[fakes.source.resolved] = true;
        }
        for (const std::string* transfer : c.transfers) {
            fakes.source.downloads.push_back([&fakes, transfer] {
                fakes.machine.bytes[fakes.source.resolved] = *transfer;
                fakes.machine.databases[fakes.source.resolved] = true;
                return fakes.source.resolved;
            });
        }
        if (c.unholdable) fakes.machine.unholdable.insert(fakes.source.resolved);
        fakes.Run();

        EXPECT_EQ(fakes.Count("download"), c.downloads);
        EXPECT_EQ(fakes.Saw("install"), c.installed);
        EXPECT_EQ(fakes.Saw("next"), c.installed);
        EXPECT_EQ(fakes.Saw("signature"), c.digest.empty() && !c.unholdable);
        if (c.downloads == 2) {
            EXPECT_TRUE(fakes.Saw("url http://default/download.asp"));
        }
        if (!c.installed) {
            EXPECT_TRUE(fakes.Saw("outcome download 2"));
            EXPECT_TRUE(fakes.Saw("error " + Common::ToAnsi(Languages().Get_Text(c.refusal)) + " [close]"));
            EXPECT_EQ(fakes.CountStartingWith("error "), 1);
            EXPECT_TRUE(fakes.Saw("close"));
        }
    }
}

// The facts the installation and the end report get are those read from the
// package that passed the check, under its hold: never those of a file
// checked before it, nor a version the package does not carry.
TEST(DownloadInstallWork, TheFactsOfTheCheckedPackageReachTheInstallationAndTheEndReport) {
    const std::string good = "the package", evil = "another package";
    struct Case {
        const char* name;
        const std::string* inFolder;  // already in the download folder (a database), else nothing
        std::u16string version;       // the packages carry
        std::vector<std::u16string> reported;
    };
    const Case cases[] = {
        {"transfer", nullptr, u"3.0.12.345", {u"3.0.12.345"}},
        {"unsigned file in the folder, then the transfer", &evil, u"3.0.12.345", {u"3.0.12.345"}},
        {"signed file in the folder", &good, u"3.0.12.345", {u"3.0.12.345"}},
        {"package without a version", nullptr, u"", {u""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWizard fakes;
        fakes.machine.unsignedContents = {evil};
        fakes.machine.packageVersion = c.version;
        if (c.inFolder) {
            fakes.machine.bytes[fakes.source.resolved] = *c.inFolder;
            fakes.machine.databases[fakes.source.resolved] = true;
        }
        fakes.source.downloads.push_back([&fakes, &good] {
            fakes.machine.bytes[fakes.source.resolved] = good;
            fakes.machine.databases[fakes.source.resolved] = true;
            return fakes.source.resolved;
        });
        fakes.Run();

        ASSERT_EQ(fakes.machine.installedFacts.size(), 1u);
        const MSIInstaller::PackageFacts& installed = fakes.machine.installedFacts[0];
        EXPECT_TRUE(installed.isDatabase);
        EXPECT_EQ(installed.productCode, Common::FromAnsi(good));
        EXPECT_EQ(installed.productVersion, c.version);
        EXPECT_EQ(fakes.reports.reportedVersions, c.reported);
    }
}

TEST(DownloadInstallWork, RetryAfterADownloadErrorStartsOverFromTheBuiltInAddress) {
    FakeWizard fakes;
    fakes.source.downloads.push_back(
        []() -> std::u16string { throw UDownloadException(DownloadFailure::ServerRefused, 404); });
    DownloadGivesPackage(fakes);
    fakes.view.choices = {ErrorChoice::Retry};
    fakes.Run();
    EXPECT_TRUE(fakes.Saw("outcome download 2"));
    EXPECT_TRUE(fakes.Saw("error " + Common::ToAnsi(Languages().Get_Text(LI_SERVER_UNAVAILABLE)) + "404 [retry]"));
    EXPECT_EQ(fakes.log[fakes.log.size() - 1], "next");
    EXPECT_EQ(fakes.Count("url http://default/download.asp"), 1);
}

// A server's error status and a package the disk would not take (full, or
// the file held by another program) are each told in their own words, and
// the user may try again once the cause is gone.
TEST(DownloadInstallWork, AServerErrorOrAFailedDiskWriteIsToldAndCanBeRetried) {
    const struct {
        DownloadFailure failure;
        std::int32_t code;
        std::string text;
    } cases[] = {
        {DownloadFailure::ServerError, 503, Common::ToAnsi(Languages().Get_Text(LI_SERVER_ERROR_STATUS)) + "503"},
        {DownloadFailure::DiskWrite, 112, Common::ToAnsi(Languages().Get_Text(LI_DISK_WRITE_FAILED))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeWizard fakes;
        fakes.source.downloads.push_back(
            [&c]() -> std::u16string { throw UDownloadException(c.failure, c.code); });
        DownloadGivesPackage(fakes);
        fakes.view.choices = {ErrorChoice::Retry};
        fakes.Run();
        EXPECT_TRUE(fakes.Saw("error " + c.text + " [retry]"));
        EXPECT_EQ(fakes.Count("download"), 2);
        EXPECT_EQ(fakes.log.back(), "next");
    }
}

// The user confirms the cancel while the worker waits in an error dialog:
// the Retry that follows must not start the download again.
TEST(DownloadInstallWork, ACancelConfirmedBetweenStepsIsNotLost) {
    FakeWizard fakes;
    fakes.source.downloads.push_back(
        []() -> std::u16string { throw UDownloadException(DownloadFailure::TransferFailed, 28); });
    DownloadGivesPackage(fakes);
    fakes.view.choices = {ErrorChoice::Retry};
    fakes.view.whileErrorShows = [&fakes] { fakes.source.stopped = true; };
    fakes.Run();
    EXPECT_EQ(fakes.Count("download"), 1);
    EXPECT_TRUE(fakes.Saw("outcome download 1"));
    EXPECT_TRUE(fakes.Saw("close"));
    EXPECT_FALSE(fakes.Saw("install") || fakes.Saw("next"));
}

TEST(DownloadInstallWork, CancelledDownloadClosesTheWizardAndDownloadsNothingMore) {
    FakeWizard fakes;
    fakes.source.downloads.push_back([]() -> std::u16string { throw StopDownloading(); });
    fakes.Run();
    EXPECT_EQ(fakes.Count("download"), 1);
    EXPECT_TRUE(fakes.Saw("outcome download 1"));
    EXPECT_TRUE(fakes.Saw("close"));
    EXPECT_FALSE(fakes.Saw("install"));
    EXPECT_FALSE(fakes.Saw("next"));
}

TEST(DownloadInstallWork, AWizardClosingBeforeTheInstallationInstallsNothingAndStays) {
    FakeWizard fakes;
    fakes.machine.databases[fakes.source.resolved] = true;
    fakes.machine.installs.push_back([] { throw StopDownloading(); });
    fakes.Run();
    EXPECT_TRUE(fakes.Saw("outcome install 1"));
    EXPECT_FALSE(fakes.Saw("end report") || fakes.Saw("save") || fakes.Saw("next") || fakes.Saw("close"));
    EXPECT_EQ(fakes.CountStartingWith("error"), 0);
}

TEST(DownloadInstallWork, ReinstallRemovesTheInstalledVersionQuietly) {
    FakeWizard fakes;
    fakes.machine.databases[fakes.source.resolved] = true;
    fakes.machine.comparison = VersionComparison::SameInstalled;
    fakes.machine.installed = VersionRecord{3, 0, 12, 345};  // same as the package
    fakes.Run();
    EXPECT_TRUE(fakes.Saw("run MsiExec.exe /X{1234} SHOWSURV=NO /quiet /norestart"));
    // Recorded as the same version: nothing to install, the end is still reported.
    EXPECT_FALSE(fakes.Saw("install"));
    EXPECT_TRUE(fakes.Saw("end report"));
}

TEST(DownloadInstallWork, AnotherInstallationInProgressCanBeRetriedWholly) {
    FakeWizard fakes;
    fakes.machine.databases[fakes.source.resolved] = true;
    fakes.machine.comparison = VersionComparison::NewerInstalled;
    fakes.machine.installs.push_back([] { throw MSIInstaller::Error(u"MsiInstallProductW returned 1618", 1618); });
    fakes.view.choices = {ErrorChoice::Retry};
    fakes.Run();
    EXPECT_EQ(fakes.Count("install"), 2);
    EXPECT_EQ(fakes.Count("release"), 1);  // the package stays held across the retry
    EXPECT_EQ(fakes.Count("run MsiExec.exe /X{1234} SHOWSURV=NO /quiet /norestart"), 2);
    EXPECT_TRUE(fakes.Saw("end report"));
    EXPECT_FALSE(fakes.Saw("close"));
}

TEST(DownloadInstallWork, InstallationErrorsEndTheWizard) {
    struct Case {
        const char16_t* text;
        std::uint32_t result;
        bool dialog;
    };
    const Case cases[] = {
        {u"code 1618", 1618, true},
        {u"code 1601", 1601, true},
        {u"code 1603", 1603, false},
        // The installer's message mentions the number, its result does not.
        {u"ERROR: INSTALLMESSAGE_ERROR.Error 1618", 0, false},
        {u"ERROR: INSTALLMESSAGE_ERROR.Error 1601", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Common::ToAnsi(c.text));
        FakeWizard fakes;
        fakes.machine.databases[fakes.source.resolved] = true;
        const std::u16string text = c.text;
        const std::uint32_t result = c.result;
        fakes.machine.installs.push_back([text, result] { throw MSIInstaller::FatalError(text, result); });
        fakes.Run();
        EXPECT_TRUE(fakes.Saw("outcome install 3 " + Common::ToAnsi(text)));
        EXPECT_EQ(fakes.CountStartingWith("error "), c.dialog ? 1 : 0);
        EXPECT_TRUE(fakes.Saw("close"));
        EXPECT_FALSE(fakes.Saw("end report"));
        // Nothing of a product that is not there is saved, and the wizard does not move on.
        EXPECT_FALSE(fakes.Saw("save") || fakes.Saw("next"));
        EXPECT_EQ(fakes.outcome, result == 1618 ? Outcome::AnotherInstallation : Outcome::Failed);
    }
}

// How each ending is told to whoever started the installer.
TEST(DownloadInstallWork, EachEndingGivesItsOutcome) {
    const struct {
        const char* name;
        std::function<void(FakeWizard&)> arrange;
        Outcome outcome;
        bool movesOn;
    } cases[] = {
        {"installed", [](FakeWizard&) {}, Outcome::Installed, true},
        {"installed, restart asked", [](FakeWizard& f) { f.machine.restartRequested = true; },
         Outcome::InstalledRestartNeeded, true},
        {"same version installed",
         [](FakeWizard& f) {
             f.machine.comparison = VersionComparison::SameInstalled;
             f.machine.installed = VersionRecord{3, 0, 12, 345};
         },
         Outcome::SameVersionInstalled, true},
        {"newer version installed",
         [](FakeWizard& f) {
             f.machine.comparison = VersionComparison::NewerInstalled;
             f.machine.installed = VersionRecord{4, 0, 0, 0};
         },
         Outcome::NewerVersionInstalled, true},
        {"download failed, given up",
         [](FakeWizard& f) {
             f.machine.databases.clear();
             f.source.downloads.push_back(
                 []() -> std::u16string { throw UDownloadException(DownloadFailure::TransferFailed, 28); });
         },
         Outcome::Failed, false},
        {"cancelled during the download",
         [](FakeWizard& f) {
             f.machine.databases.clear();
             f.source.downloads.push_back([]() -> std::u16string { throw StopDownloading(); });
         },
         Outcome::Cancelled, false},
        {"closing before the installation",
         [](FakeWizard& f) { f.machine.installs.push_back([] { throw StopDownloading(); }); },
         Outcome::Cancelled, false},
        {"unverified package", [](FakeWizard& f) { f.machine.unsignedContents.insert(""); }, Outcome::Failed, false},
        {"another installation, not waited for",
         [](FakeWizard& f) {
             f.machine.installs.push_back([] { throw MSIInstaller::FatalError(u"code 1618", 1618); });
         },
         Outcome::AnotherInstallation, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWizard fakes;
        fakes.machine.databases[fakes.source.resolved] = true;
        c.arrange(fakes);
        fakes.Run();
        EXPECT_EQ(fakes.outcome, c.outcome);
        EXPECT_EQ(fakes.Saw("next"), c.movesOn);
    }
}

TEST(DownloadInstallWork, QuietRemovalCommand) {
    EXPECT_EQ(QuietRemovalCommand(u"MsiExec.exe /I{A} /I"), u"MsiExec.exe /X{A} /X SHOWSURV=NO /quiet /norestart");
    EXPECT_EQ(QuietRemovalCommand(u"uninst.exe"), u"uninst.exe SHOWSURV=NO /quiet /norestart");
}

}  // namespace
