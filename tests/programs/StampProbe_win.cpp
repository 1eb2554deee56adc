// Reads the stamp block of its own file exactly as the installer does and
// prints the configuration values it yields, one KEY=VALUE per line (UTF-8).
#include <windows.h>

#include <cstdio>

#include "common/WideText.h"
#include "configuration/InstallerConfig.h"

namespace {

void Print(const char* key, const std::u16string& value) {
    const std::wstring wide(Common::AsWide(value));
    char narrow[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, narrow, sizeof(narrow), nullptr, nullptr);
    std::printf("%s=%s\n", key, narrow);
}

}  // namespace

int wmain() {
    InstallerConfig config;
    const bool found = config.ReadStampBlock();
    config.ApplyStampSettings();
    std::printf("FOUND=%d\n", found ? 1 : 0);
    std::printf("ENTRIES=%u\n", static_cast<unsigned>(config.StampEntries().size()));
    Print("DOWNLOAD_LINK", config.DownloadLink());
    Print("THANKYOU_LINK", config.ThankYouLink());
    Print("JOIN_LINK", config.JoinLink());
    Print("COUNTRY_ISO2", config.CountryCode());
    Print("WID", config.WebId());
    Print("DOWNLOAD_MSI_VERSION", config.PackageVersionText());
    return 0;
}
