#include "configuration/InstallerConfig.h"

#include <array>
#include <utility>

#include "DeploymentValues.h"
#include "common/ProductIdentity.h"
#include "common/TextUtil.h"

namespace {

constexpr char16_t kAllFeatures[] =
    u"ADDLOCAL=MainProgram,Inregr2007Word,Inregr2007Excel,Inregr2007Outlok,Inregr2007PowerPoint,"
    u"Inregr2007Publisher,IntegrShell,IntegrIE,IntegrFirefox,Previewer";

struct FeatureName {
    std::uint32_t bit;
    const char16_t* name;
};
constexpr std::array<FeatureName, 9> kFeatureNames{{
    {kFeatureWord, u"Inregr2007Word,"},
    {kFeatureExcel, u"Inregr2007Excel,"},
    {kFeatureOutlook, u"Inregr2007Outlok,"},
    {kFeaturePowerPoint, u"Inregr2007PowerPoint,"},
    {kFeaturePublisher, u"Inregr2007Publisher,"},
    {kFeatureShell, u"IntegrShell,"},
    {kFeatureInternetExplorer, u"IntegrIE,"},
    {kFeatureFirefox, u"IntegrFirefox,"},
    {kFeaturePreviewer, u"Previewer,"},
}};

constexpr std::array<const char16_t*, 9> kSavedLinkKeys{
    u"THANKYOU_LINK",     u"JOIN_LINK", u"UNINSTALL_LINK",       u"SUPPORT_LINK",       u"CUSTOMERZONE_LINK",
    u"OCR_LINK", u"STD_TO_ALL_LINK", u"PRO_TO_PRO_PLUS_LINK", u"DOWNLOADTRIAL_LINK",
};

constexpr std::uint64_t kMegabyte = 1024 * 1024;
constexpr std::uint64_t kGigabyte = 1024 * kMegabyte;
constexpr std::uint64_t kRequiredFreeBytes = 100 * kMegabyte;

}  // namespace

InstallerConfig::InstallerConfig()
    : linksKey_(Product::kLinksKey), featureString_(kAllFeatures), freeSpaceProbe_(Common::SystemFreeBytes) {}

std::optional<StampSetting> SplitStampEntry(const std::u16string& entry) {
    const auto equals = entry.find(u'=');
    if (equals == std::u16string::npos) return std::nullopt;
    return StampSetting{Common::ToUpperAscii(entry.substr(0, equals)), entry.substr(equals + 1)};
}

void InstallerConfig::ApplyStampSettings() {
    const std::pair<const char16_t*, std::u16string*> targets[] = {
        {u"THANKYOU_LINK", &thankYouLink_}, {u"JOIN_LINK", &joinLink_},
        {u"DOWNLOAD_LINK", &downloadLink_}, {u"COUNTRY_ISO2", &countryCode_},
        {u"WID", &webId_},                  {u"DOWNLOAD_MSI_VERSION", &packageVersionText_},
        {u"DOWNLOAD_SHA256", &packageDigestText_}, {u"PACKAGE_PUBLISHER", &packagePublisher_},
    };
    // The list starts with the entry given last to "-build"; later entries
    // overwrite earlier ones, so of a key given twice the first given wins.
    for (const auto& entry : stampEntries_) {
        const auto setting = SplitStampEntry(entry);
        if (!setting) break;
        for (const auto& [key, field] : targets) {
            if (setting->key == key) *field = setting->value;
        }
    }
}

bool IsSavedLinkKey(const std::u16string& upperKey) {
    for (const char16_t* key : kSavedLinkKeys) {
        if (upperKey == key) return true;
    }
    return false;
}

const std::u16string& InstallerConfig::DownloadLink() {
    if (downloadLink_.empty()) ResetDownloadLink();
    return downloadLink_;
}

void InstallerConfig::ResetDownloadLink() {
    downloadLink_ = FallbackDownloadLink(downloadLink_, Deployment::kDefaultDownloadLink);
}

std::u16string FallbackDownloadLink(const std::u16string& current, const std::u16string& builtIn) {
    const auto isHttps = [](const std::u16string& link) { return Common::ToLowerAscii(link.substr(0, 8)) == u"https://"; };
    return isHttps(current) && !isHttps(builtIn) ? current : builtIn;
}

std::u16string WithLanguageQuery(const std::u16string& link, const std::u16string& languageCode) {
    const char16_t* separator = link.find(u'?') == std::u16string::npos ? u"?lang=" : u"&lang=";
    return link + separator + languageCode;
}

void InstallerConfig::BuildFeatureString(std::uint32_t bits) {
    featureFlags_ = bits;
    featureString_ = u"ADDLOCAL=MainProgram,";
    for (const auto& feature : kFeatureNames) {
        if (bits & feature.bit) featureString_ += feature.name;
    }
    featureString_.pop_back();  // the trailing comma
}

FreeSpaceCheck DescribeFreeSpace(std::uint64_t freeBytes) {
    FreeSpaceCheck check;
    check.enough = freeBytes >= kRequiredFreeBytes;
    check.text = freeBytes <= kGigabyte ? Common::DecimalText(freeBytes / kMegabyte) + u" MB"
                                        : Common::DecimalText(freeBytes / kGigabyte) + u" GB";
    return check;
}

std::optional<FreeSpaceCheck> InstallerConfig::CheckFreeSpace(const std::u16string& installDir) const {
    if (!freeSpaceProbe_) return std::nullopt;
    const auto freeBytes = freeSpaceProbe_(installDir.substr(0, 3));
    if (!freeBytes) return std::nullopt;
    return DescribeFreeSpace(*freeBytes);
}

std::u16string InstallDirInFolder(const std::u16string& chosenFolder) {
    // A drive root already ends with its backslash.
    return chosenFolder + (chosenFolder.size() == 3 ? u"" : u"\\") + Product::kName;
}
