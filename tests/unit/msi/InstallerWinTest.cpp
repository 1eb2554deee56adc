// Installations through the real Windows Installer with the test packages.
#include "msi/Installer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

#include "common/HeldFile.h"
#include "common/ProductQueries.h"
#include "common/UninstallString.h"
#include "common/WinHandles.h"
#include "msi/HandleInstallMessage_win.h"
#include "msi/PackageFacts.h"
#include "packages/TestPackages.h"
#include "sysinfo/InstalledProduct.h"

namespace {

using namespace MSIInstaller;
using TestPackages::Package;

constexpr char16_t kProductCode[] = u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}";
constexpr char16_t kNoFilesCode[] = u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A7C001}";
constexpr char16_t kRebootCode[] = u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A7D001}";

std::set<std::u16string> FilesIn(const std::filesystem::path& folder) {
    std::set<std::u16string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().u16string());
    }
    return names;
}

// Runs a command line to its end; its exit code, or -1 when it cannot start
// or does not end within two minutes.
long RunAndWait(const std::u16string& commandLine) {
    std::u16string command = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(command.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    Common::UniqueHandle thread(process.hThread);
    Common::UniqueHandle owner(process.hProcess);
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
}

// The silent removal that the installer makes of an uninstall command.
std::u16string SilentRemoval(std::u16string command) {
    for (auto at = command.find(u"/I"); at != std::u16string::npos; at = command.find(u"/I", at + 2)) {
        command.replace(at, 2, u"/X");
    }
    return command + u" SHOWSURV=NO /quiet /norestart";
}

// The text of the failure Install raised; `result` receives its Result().
template <typename Raised>
std::u16string InstallRaises(const std::u16string& package, const std::u16string& commandLine,
                             InstallProgressCallback progress = nullptr, std::uint32_t* result = nullptr) {
    Installer installer(std::move(progress));
    try {
        installer.Install(package, ReadPackageFacts(package), commandLine);
    } catch (const Raised& error) {
        if (result) *result = error.Result();
        return error.Text();
    }
    ADD_FAILURE() << "nothing of the expected class raised";
    return {};
}

TEST(Installer, InstallsTheChosenFeaturesAndIsRemovedByItsUninstallCommand) {
    const auto folder = std::filesystem::temp_directory_path() / "Corvane Install Test" / "Corvane 2013";
    std::filesystem::remove_all(folder.parent_path());
    std::vector<std::int32_t> percentages;
    Installer installer([&percentages](std::int32_t percentage) { percentages.push_back(percentage); });
    installer.SetPackagePath(Package(u"Corvane2013-3.0.12.345.msi"));
    const std::u16string commandLine = u"ADDLOCAL=MainProgram,IntegrShell,Previewer ISCREATEQLSC=0 LAUNCHPRODUCT=0 "
                                       u"MAKEDEFAULTAPP=0 INSTALLDIR=\"" + folder.u16string() + u"\"";
    ASSERT_NO_THROW(installer.Install(installer.PackagePath(), ReadPackageFacts(installer.PackagePath()), commandLine));

    EXPECT_EQ(FilesIn(folder), (std::set<std::u16string>{u"Corvane 2013.exe", u"CorvaneCore.dat",
                                                          u"ShellIntegration.dat", u"Previewer.dat"}));
    ASSERT_FALSE(percentages.empty());
    EXPECT_GE(percentages.front(), 0);
    EXPECT_LT(percentages.front(), 100);
    EXPECT_GT(*std::max_element(percentages.begin(), percentages.end()), 100);  // the completing stage
    std::printf("%u percentages, the last %d\n", static_cast<unsigned>(percentages.size()), percentages.back());

    // The entry that the Windows Installer wrote, as the installer's checks see it.
    const std::u16string uninstall = Common::FindUninstallString();
    EXPECT_EQ(uninstall, u"MsiExec.exe /I" + std::u16string(kProductCode));
    EXPECT_EQ(FindInstalledProduct(), (VersionRecord{3, 0, 12, 345}));
    EXPECT_EQ(Common::GetInstalledVersion(u"Corvane 2013"), (VersionRecord{3, 0, 12, 345}));
    EXPECT_TRUE(Common::IsProductInstalled(u"Corvane 2013"));
    EXPECT_FALSE(Common::IsProductInstalled(u"corvane 2013"));
    EXPECT_EQ(Common::InstalledProductName(kProductCode), u"Corvane 2013");
    EXPECT_EQ(Common::InstalledProductInfo(u"Corvane 2013", u"VersionString"), u"3.0.12.345");

    EXPECT_EQ(RunAndWait(SilentRemoval(uninstall)), 0);
    EXPECT_FALSE(FindInstalledProduct().has_value());
    EXPECT_FALSE(Common::GetInstalledVersion(u"Corvane 2013").has_value());
    EXPECT_EQ(FilesIn(folder), std::set<std::u16string>{});
    EXPECT_EQ(Common::LookUpUninstallString(), u"");
    EXPECT_EQ(Common::FindUninstallString(), uninstall);  // found once, kept for the process
    std::filesystem::remove_all(folder.parent_path());
}

// A package whose installation asks for a restart (3010) is installed: a
// success that says so, not a failure.
TEST(Installer, AnInstallationThatAsksForARestartSucceedsAndSaysSo) {
    Installer installer(nullptr);
    const std::u16string package = Package(u"Reboot.msi");
    bool restart = false;
    ASSERT_NO_THROW(restart = installer.Install(package, ReadPackageFacts(package), u""));
    EXPECT_TRUE(restart);
    EXPECT_EQ(TestPackages::RemoveProduct(kRebootCode), 0u);  // it was there to remove

    const std::u16string plain = Package(u"NoFiles.msi");
    EXPECT_FALSE(installer.Install(plain, ReadPackageFacts(plain), u""));
    TestPackages::RemoveProduct(kNoFilesCode);
}

TEST(Installer, AFailingInstallationRaisesAFatalErrorWithItsCode) {
    std::uint32_t result = 0;
    // A command line the installer cannot read.
    const auto unreadable =
        InstallRaises<FatalError>(Package(u"NoFiles.msi"), u"INSTALLDIR=\"C:\\unterminated", nullptr, &result);
    EXPECT_NE(unreadable.find(u"error code 1639."), std::u16string::npos) << testing::PrintToString(unreadable);
    EXPECT_EQ(result, 1639u);
}

// The installer holds the package against changes from its check until the
// installation has read it: the Windows Installer still opens it meanwhile,
// with the facts read under the hold.
TEST(Installer, APackageHeldAgainstChangesIsCheckedAndInstalled) {
    const std::u16string package = Package(u"NoFiles.msi");
    const auto held = Common::HoldFile(package);
    ASSERT_TRUE(held);
    const PackageFacts facts = ReadPackageFacts(package);
    EXPECT_TRUE(facts.isDatabase);
    Installer installer(nullptr);
    EXPECT_NO_THROW(installer.Install(package, facts, u""));
    EXPECT_TRUE(Common::IsProductInstalled(u"Corvane Package Without Files"));
    TestPackages::RemoveProduct(kNoFilesCode);
}

TEST(Installer, FilesThatAreNoPackagesFailBeforeInstalling) {
    for (const char16_t* name : {u"NotAPackage.msi", u"Empty.msi"}) {
        const auto text = InstallRaises<Error>(Package(name), u"");
        EXPECT_EQ(text.find(u"MsiInstallProduct"), std::u16string::npos) << testing::PrintToString(text);
    }
}

// The page's progress handler fails in the middle of an installation: the
// failure must not unwind through msi.dll, and Install raises it unchanged.
TEST(Installer, AFailureInTheProgressCallbackIsRaisedFromInstall) {
    int calls = 0;
    const auto text = InstallRaises<FatalError>(Package(u"NoFiles.msi"), u"", [&calls](std::int32_t) {
        ++calls;
        throw FatalError(u"ERROR: the page gave up");
    });
    EXPECT_EQ(text, u"ERROR: the page gave up");
    EXPECT_EQ(calls, 1);  // asked to stop, the handler calls no further
    TestPackages::RemoveProduct(kNoFilesCode);
}

// The installer's callback turns an error message into a failure that Install
// raises with its class and text, whatever the installer's own result.
TEST(Installer, AnErrorMessageEndsTheInstallationWithAnError) {
    Installer installer(nullptr);
    EXPECT_EQ(HandleInstallMessage(nullptr, INSTALLMESSAGE_ERROR | MB_ABORTRETRYIGNORE, L"Disk full."), IDABORT);
    EXPECT_EQ(HandleInstallMessage(nullptr, INSTALLMESSAGE_PROGRESS, L"1: 0 2: 10 3: 0 4: 0 "), IDCANCEL);
    try {
        installer.Install(Package(u"NoFiles.msi"), ReadPackageFacts(Package(u"NoFiles.msi")), u"");
        ADD_FAILURE() << "nothing raised";
    } catch (const FatalError& error) {
        ADD_FAILURE() << "the installer's result instead of the message: " << testing::PrintToString(error.Text());
    } catch (const Error& error) {
        EXPECT_EQ(error.Text(), u"ERROR: INSTALLMESSAGE_ERROR.Disk full.");
        EXPECT_EQ(error.Result(), 0u);
    }
    TestPackages::RemoveProduct(kNoFilesCode);
}

}  // namespace
