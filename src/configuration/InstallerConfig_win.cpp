// The parts of the configuration that talk to Windows: the program's own
// file, the registry, special folders.
#include "configuration/InstallerConfig.h"

#include <windows.h>
#include <shlobj.h>

#include "DeploymentValues.h"
#include "common/FileSystem.h"
#include "common/ProductIdentity.h"
#include "common/Registry.h"
#include "common/RegistryRoot_win.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "configuration/StampBlock.h"

namespace {

Common::UniqueKey OpenOrCreateForWrite(HKEY root, const std::u16string& path) {
    Common::UniqueKey key;
    if (RegOpenKeyExW(root, Common::AsWide(path), 0, KEY_WRITE, key.Put()) == ERROR_SUCCESS) return key;
    RegCreateKeyExW(root, Common::AsWide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Put(),
                    nullptr);
    return key;
}

std::u16string SpecialFolder(int csidl, bool create) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, create ? TRUE : FALSE)) return {};
    return Common::FromWide(path);
}

}  // namespace

bool InstallerConfig::ReadStampBlock() {
    stampEntries_.clear();
    const auto file = Common::ReadWholeFile(Common::ModulePath());
    if (!file) return false;
    auto entries = StampBlock::Parse(file->data(), file->size());
    if (!entries) return false;
    stampEntries_ = std::move(*entries);
    return true;
}

void InstallerConfig::SaveLinkSettings() const {
    const auto key = OpenOrCreateForWrite(Common::ToHkey(registryRoot_), linksKey_);
    if (!key) return;
    for (const auto& entry : stampEntries_) {
        const auto setting = SplitStampEntry(entry);
        if (!setting) break;
        if (!IsSavedLinkKey(setting->key)) continue;
        // Written without the terminating NUL: the product reads them that way.
        RegSetValueExW(key.Get(), Common::AsWide(setting->key), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(setting->value.data()),
                       static_cast<DWORD>(setting->value.size() * sizeof(char16_t)));
    }
}

bool InstallerConfig::SaveInstallDir() const {
    if (installDir_.empty()) return false;
    const auto key = OpenOrCreateForWrite(Common::ToHkey(registryRoot_), linksKey_);
    if (!key) return false;
    return RegSetValueExW(key.Get(), L"INSTALL_DIR", 0, REG_SZ, reinterpret_cast<const BYTE*>(installDir_.c_str()),
                          static_cast<DWORD>((installDir_.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
}

std::u16string InstallerConfig::ThankYouLink() const {
    std::u16string link = thankYouLink_;
    try {
        if (link.empty()) Common::Registry::ReadString(Common::ToHkey(registryRoot_), linksKey_, u"THANKYOU_LINK", link);
    } catch (const Common::WinEx&) {
        return Deployment::kDefaultThankYouLink;  // best effort: no stored link
    }
    return link.empty() ? std::u16string(Deployment::kDefaultThankYouLink) : link;
}

std::u16string InstallerConfig::DownloadFolder() const {
    const std::u16string fallback = u"C:\\";
    std::u16string folder = SpecialFolder(CSIDL_APPDATA, true);
    if (folder.empty()) return fallback;
    for (const char16_t* part : {Product::kVendorFolder, u"Installation"}) {
        folder = folder + u"\\" + part;
        if (!Common::EnsureFolder(folder)) return fallback;
    }
    return folder;
}

std::u16string InstallerConfig::DefaultInstallDir() const {
    const std::u16string programFiles = SpecialFolder(CSIDL_PROGRAM_FILES, false);
    if (programFiles.empty()) return std::u16string(u"C:\\Program Files\\") + Product::kName;
    return programFiles + u"\\" + Product::kName;
}
