// The process-wide installer configuration: what a configured copy carries in
// its stamp block, the built-in defaults, the user's choices that later steps
// need, and the registry values left behind for the installed product.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/FreeSpace.h"
#include "common/RegistryRoot.h"
#include "common/VersionRecord.h"

// Component bits of the integration features.
enum FeatureBits : std::uint32_t {
    kFeatureWord = 0x20,
    kFeatureExcel = 0x40,
    kFeatureOutlook = 0x80,
    kFeaturePowerPoint = 0x100,
    kFeaturePublisher = 0x200,
    kFeatureShell = 0x400,
    kFeatureInternetExplorer = 0x800,
    kFeatureFirefox = 0x1000,
    kFeaturePreviewer = 0x2000,
};

struct FreeSpaceCheck {
    bool enough = false;
    std::u16string text;  // "512 MB", "20 GB"
};

class InstallerConfig {
public:
    InstallerConfig();

    // --- stamp block (Windows: reads the program's own file) ---
    bool ReadStampBlock();
    // Replaces the stamp list, for callers that read the block themselves.
    void SetStampEntries(std::vector<std::u16string> entries) { stampEntries_ = std::move(entries); }
    const std::vector<std::u16string>& StampEntries() const { return stampEntries_; }
    void ApplyStampSettings();

    // --- registry values for the installed product (Windows) ---
    void SaveLinkSettings() const;
    bool SaveInstallDir() const;

    // --- addresses ---
    const std::u16string& DownloadLink();
    // Back to the built-in address, unless that would leave https for a plain
    // address: then the current one stays (see FallbackDownloadLink).
    void ResetDownloadLink();
    // The stamped link, else the links key's THANKYOU_LINK, else the built-in page.
    std::u16string ThankYouLink() const;
    const std::u16string& StampedThankYouLink() const { return thankYouLink_; }

    // --- folders (Windows) ---
    std::u16string DownloadFolder() const;
    std::u16string DefaultInstallDir() const;

    // --- features and disk space ---
    void BuildFeatureString(std::uint32_t bits);
    std::optional<FreeSpaceCheck> CheckFreeSpace(const std::u16string& installDir) const;
    void SetFreeSpaceProbe(Common::FreeSpaceProbe probe) { freeSpaceProbe_ = std::move(probe); }

    // --- values of the stamp block and of the wizard ---
    std::u16string JoinLink() const { return joinLink_; }
    std::u16string CountryCode() const { return countryCode_; }
    std::u16string WebId() const { return webId_; }
    std::u16string InstallDir() const { return installDir_; }
    void SetInstallDir(std::u16string dir) { installDir_ = std::move(dir); }
    std::u16string FeatureString() const { return featureString_; }
    std::uint32_t FeatureFlags() const { return featureFlags_; }
    const std::u16string& PackageVersionText() const { return packageVersionText_; }
    // The SHA-256 of the package in hexadecimal (stamp key DOWNLOAD_SHA256);
    // empty when the copy names none.
    const std::u16string& PackageDigestText() const { return packageDigestText_; }
    // The publisher a partner copy narrows the build's to (stamp key
    // PACKAGE_PUBLISHER): an unstamped package must then be signed by both;
    // empty when the copy names none.
    const std::u16string& PackagePublisher() const { return packagePublisher_; }

    bool UserDetailsGiven() const { return userDetailsGiven_ != 0; }
    void SetUserDetailsGiven(bool given) { userDetailsGiven_ = given ? 1 : 0; }
    bool CustomInstall() const { return customInstall_; }
    void SetCustomInstall(bool custom) { customInstall_ = custom; }
    const std::u16string& UninstallCommand() const { return uninstallCommand_; }
    void SetUninstallCommand(std::u16string command) { uninstallCommand_ = std::move(command); }
    const VersionRecord& PackageVersion() const { return packageVersion_; }
    void SetPackageVersion(const VersionRecord& version) { packageVersion_ = version; }

    // Where the links and INSTALL_DIR live; tests point it at a key of their own.
    Common::RegistryRoot RegistryRootKey() const { return registryRoot_; }
    const std::u16string& LinksKey() const { return linksKey_; }
    void SetLinksKey(Common::RegistryRoot root, std::u16string key) {
        registryRoot_ = root;
        linksKey_ = std::move(key);
    }

private:
    std::u16string downloadLink_;
    std::u16string joinLink_;
    std::u16string countryCode_;
    std::u16string webId_;
    Common::RegistryRoot registryRoot_ = Common::RegistryRoot::CurrentUser;
    std::u16string linksKey_;
    std::u16string thankYouLink_;
    std::u16string featureString_;
    std::int32_t userDetailsGiven_ = 0;
    std::uint32_t featureFlags_ = 0;
    bool customInstall_ = false;
    std::u16string uninstallCommand_;
    std::u16string installDir_;
    std::u16string packageVersionText_;
    VersionRecord packageVersion_;
    std::u16string packageDigestText_;
    std::u16string packagePublisher_;

    std::vector<std::u16string> stampEntries_;
    Common::FreeSpaceProbe freeSpaceProbe_;
};

// The stamp keys written to the links key after installation.
bool IsSavedLinkKey(const std::u16string& upperKey);

// A link with the language code added: "?lang=xx", or "&lang=xx" when the
// link already has a query.
// The address a download falls back to from `current`: the built-in one,
// except that a download on https never falls back to a plain address.
std::u16string FallbackDownloadLink(const std::u16string& current, const std::u16string& builtIn);

std::u16string WithLanguageQuery(const std::u16string& link, const std::u16string& languageCode);

// The free-space verdict and text for a number of free bytes.
FreeSpaceCheck DescribeFreeSpace(std::uint64_t freeBytes);

// The stamp entry split at its first "=", key upper-cased; nullopt without "=".
struct StampSetting {
    std::u16string key;
    std::u16string value;
};
std::optional<StampSetting> SplitStampEntry(const std::u16string& entry);

// The install directory for a folder chosen by the user: the product folder
// inside it ("D:\" gives "D:\Corvane 2013").
std::u16string InstallDirInFolder(const std::u16string& chosenFolder);
