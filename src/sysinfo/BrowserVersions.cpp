#include "sysinfo/BrowserFlags.h"

#include "common/VersionParse.h"

bool InternetExplorerQualifies(std::u16string_view version) {
    return !version.empty() && version.front() > u'5';
}

bool FirefoxQualifies(std::u16string_view version) {
    const auto dot = version.find(u'.');
    if (dot == std::u16string_view::npos) return false;
    const auto major = ParseDecimal(version.substr(0, dot));
    return major && *major > 2;
}
