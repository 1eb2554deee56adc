#include "sysinfo/BrowserFlags.h"

#include "common/RegistryText_win.h"

namespace {

std::optional<std::u16string> MachineText(const std::u16string& path, const std::u16string& name,
                                          std::size_t maxChars) {
    const auto key = RegistryText::OpenForReading(HKEY_LOCAL_MACHINE, path);
    if (!key) return std::nullopt;
    return RegistryText::Read(key.Get(), name, maxChars);
}

}  // namespace

std::uint32_t BrowserFlags() {
    std::uint32_t flags = 0;
    const auto explorer = MachineText(u"SOFTWARE\\Microsoft\\Internet Explorer", u"Version", 49);
    if (explorer && InternetExplorerQualifies(*explorer)) flags |= kInternetExplorerIntegration;
    // Firefox writes texts such as "3.6.13 (en-US)"; the buffer need not be small.
    const auto firefox = MachineText(u"SOFTWARE\\Mozilla\\Mozilla Firefox", u"CurrentVersion", 259);
    if (firefox && FirefoxQualifies(*firefox)) flags |= kFirefoxIntegration;
    return flags;
}
