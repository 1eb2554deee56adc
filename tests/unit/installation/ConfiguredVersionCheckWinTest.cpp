// The configured copy's update check against the reference server's update
// service, compared with the product installed by the real test packages.
#include "installation/ConfiguredVersionCheck.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "common/VersionParse.h"
#include "packages/TestPackages.h"
#include "sysinfo/InstalledProduct.h"
#include "unit/services/ServicesRefServer.h"

namespace {

using ServicesRefServer::SetUpdateAnswer;
using ServicesRefServer::SoapCalls;

constexpr VersionRecord kNone{};

std::u16string ServiceUrl() { return ServicesRefServer::WideUrl("/Service.asmx"); }

// Each package is installed for the cases that need it, and removed again.
class InstalledProduct : public testing::Test {
protected:
    void SetUp() override { TestServer::Reset(); }

    static void Install(const char16_t* version) {
        const auto folder = std::filesystem::temp_directory_path() / "Corvane Update Check Test";
        const auto package = TestPackages::Package(u"Corvane2013-" + std::u16string(version) + u".msi");
        const std::u16string commandLine = u"ADDLOCAL=MainProgram INSTALLDIR=\"" + folder.u16string() + u"\"";
        ASSERT_EQ(TestPackages::InstallPackage(package, commandLine), 0u);
    }
    static void Remove(const char16_t* productCode) { EXPECT_EQ(TestPackages::RemoveProduct(productCode), 0u); }

    // The comparison for `config`, asking the reference service.
    static VersionComparison Compare(InstallerConfig& config) {
        return CompareInstalledVersion(config, {[] { return QueryServiceVersion(ServiceUrl()); },
                                                [] { return FindInstalledProduct(); }});
    }
    // A configuration with this "DOWNLOAD_MSI_VERSION" (none when null).
    static InstallerConfig Configured(const char16_t* packageVersion) {
        InstallerConfig config;
        if (packageVersion) config.SetStampEntries({u"DOWNLOAD_MSI_VERSION=" + std::u16string(packageVersion)});
        config.ApplyStampSettings();
        return config;
    }
};

TEST_F(InstalledProduct, SameNewerOrOlderThanTheOfferedVersion) {
    const struct {
        const char16_t* installed;
        const char16_t* productCode;
        const char16_t* configured;  // null: no "DOWNLOAD_MSI_VERSION"
        const char* serviceAnswer;   // for the cases that ask
        VersionComparison result;
        std::size_t serviceCalls;
    } cases[] = {
        {u"3.0.12.345", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}", u"3.0.12.345", "", VersionComparison::SameInstalled, 0},
        {u"3.0.12.345", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}", nullptr, "version=3.0.12.345",
         VersionComparison::SameInstalled, 1},
        {u"3.0.12.345", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73012}", nullptr, "version=3.0.13.0",
         VersionComparison::NotInstalledOrOlder, 1},
        {u"3.0.13.0", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A73013}", u"3.0.12.345", "", VersionComparison::NewerInstalled, 0},
        {u"2.9.99.99", u"{5D3E2C41-7A9B-4E1F-9C2D-2013C0A72999}", u"3.0.0.0", "", VersionComparison::NotInstalledOrOlder, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.installed)) + " case " + std::to_string(i));
        if (i == 0 || std::u16string(c.installed) != cases[i - 1].installed) Install(c.installed);
        ASSERT_EQ(FindInstalledProduct(), ParseVersion(std::u16string_view(c.installed)));
        TestServer::Reset();
        if (*c.serviceAnswer) SetUpdateAnswer(c.serviceAnswer);
        InstallerConfig config = Configured(c.configured);
        EXPECT_EQ(Compare(config), c.result);
        EXPECT_EQ(Compare(config), c.result);  // callers ask twice; the answer is kept
        EXPECT_EQ(SoapCalls().size(), c.serviceCalls);
        if (i + 1 == std::size(cases) || std::u16string(c.installed) != cases[i + 1].installed) Remove(c.productCode);
    }
}

// A first installation: nothing to compare with, so the service (which would
// hold the first page while it answers) is not asked.
TEST_F(InstalledProduct, WithNothingInstalledTheServiceIsNotAsked) {
    SetUpdateAnswer("version=3.0.12.345");
    InstallerConfig config = Configured(nullptr);
    ASSERT_FALSE(FindInstalledProduct().has_value());
    EXPECT_EQ(Compare(config), VersionComparison::NotInstalledOrOlder);
    EXPECT_EQ(SoapCalls().size(), 0u);
    EXPECT_EQ(config.PackageVersion(), kNone);
}

}  // namespace
