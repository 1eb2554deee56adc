// An installation with the run's log: its lines, and the Windows Installer's
// verbose log beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "common/InstallationLogFile.h"
#include "common/InstallationLogNames.h"
#include "msi/Installer.h"
#include "msi/PackageFacts.h"
#include "packages/TestPackages.h"

namespace {

constexpr char16_t kNoFilesCode[] = u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A7C001}";

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(InstallerLog, TheInstallationIsLoggedAndTheWindowsInstallersLogLiesBesideTheLog) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("corvane-msi-log-" + std::to_string(std::random_device{}())) / "logs";
    const std::u16string logPath = (folder / "install.log").u16string();
    const std::u16string package = TestPackages::Package(u"NoFiles.msi");
    {
        Common::InstallationLogFile log(logPath);
        ASSERT_EQ(log.Path(), logPath);
        MSIInstaller::Installer installer(nullptr, &log);
        ASSERT_NO_THROW(installer.Install(package, MSIInstaller::ReadPackageFacts(package), u"ADDLOCAL=ALL"));
    }
    TestPackages::RemoveProduct(kNoFilesCode);

    const std::string lines = ReadText(folder / "install.log");
    EXPECT_NE(lines.find("Windows Installer: installing "), std::string::npos) << lines;
    EXPECT_NE(lines.find("NoFiles.msi with \"ADDLOCAL=ALL\""), std::string::npos) << lines;
    EXPECT_NE(lines.find("Windows Installer: returned 0\r\n"), std::string::npos) << lines;

    const std::filesystem::path msiLog(Common::MsiLogPathBeside(logPath));
    EXPECT_EQ(msiLog.filename(), "install_msi.log");
    ASSERT_TRUE(std::filesystem::exists(msiLog)) << "no log of the Windows Installer beside the log";
    EXPECT_GT(std::filesystem::file_size(msiLog), 0u);

    // Once the installation has ended the setting is gone: an installation
    // without a log leaves the Windows Installer's log as it was.
    const auto size = std::filesystem::file_size(msiLog);
    MSIInstaller::Installer quiet(nullptr);
    ASSERT_NO_THROW(quiet.Install(package, MSIInstaller::ReadPackageFacts(package), u""));
    TestPackages::RemoveProduct(kNoFilesCode);
    EXPECT_EQ(std::filesystem::file_size(msiLog), size);

    std::error_code ignored;
    std::filesystem::remove_all(folder.parent_path(), ignored);
}

}  // namespace
