// The real installation without any window: the job downloads the signed
// test package from the reference server, checks it through the trust
// provider and the installer's own checks, installs it with the Windows
// Installer and records how it ended - the flow a quiet run will use.
#include "installation/InstallationJob_win.h"
#include "installation/QuietDisplay.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "common/AnsiText.h"
#include "common/ProductIdentity.h"
#include "common/ProductQueries.h"
#include "configuration/InstallerConfig.h"
#include "language/AsLanguage_Manager.h"
#include "packages/TestPackages.h"
#include "services/InstallationStatistics.h"
#include "unit/download/RefServer.h"

namespace {

using namespace Installation;

constexpr char16_t kProductCode[] = u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}";

class InstallationJobTest : public testing::Test {
protected:
    void SetUp() override {
        TestServer::Reset();
        config_.SetStampEntries({u"DOWNLOAD_LINK=" + Common::FromAnsi(TestServer::Url(link_))});
        config_.ApplyStampSettings();
        config_.SetInstallDir((std::filesystem::temp_directory_path() / "Corvane Job Test").u16string());
        // A package left by an earlier run would be taken without a transfer.
        std::filesystem::remove(std::filesystem::path(config_.DownloadFolder()) / "Corvane2013-3.0.12.345.msi");
    }
    void TearDown() override { TestPackages::RemoveProduct(kProductCode); }

    Outcome Run() {
        InstallationJob job(session_, display_);
        job.Start();
        return job.WaitForEnd();
    }

    std::string link_ = "/packages/Corvane2013-3.0.12.345.msi";
    MemoryLanguageSetting setting_;
    InstallerConfig config_;
    AsLanguage_Manager language_{setting_};
    InstallationStatistics statistics_;
    Session session_{config_, language_, statistics_};
    QuietDisplay display_;
};

TEST_F(InstallationJobTest, DownloadsChecksAndInstallsThePackage) {
    EXPECT_EQ(Run(), Outcome::Installed);
    for (const std::u16string& error : display_.Errors()) ADD_FAILURE() << "error shown: " << Common::ToAnsi(error);
    const auto installed = Common::GetInstalledVersion(Product::kName);
    ASSERT_TRUE(installed);
    EXPECT_EQ(*installed, (VersionRecord{3, 0, 12, 345}));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(config_.InstallDir()) / "Corvane 2013.exe"));
}

TEST_F(InstallationJobTest, AFailedDownloadEndsWithTheErrorAndIsRecorded) {
    // The package is not there; nobody answers the error with Retry.
    TestServer::ArmFault("path=" + link_ + "&mode=status&code=404");
    EXPECT_EQ(Run(), Outcome::Failed);
    EXPECT_FALSE(display_.Errors().empty());
    EXPECT_FALSE(Common::GetInstalledVersion(Product::kName));
    const InstallationProgress progress = statistics_.Progress().Snapshot();
    EXPECT_EQ(progress.lastStep, 2u);
    EXPECT_EQ(progress.cancelReason, kDownloadFailure);
}

}  // namespace
