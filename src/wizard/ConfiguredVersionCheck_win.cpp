#include "wizard/ConfiguredVersionCheck.h"

#include "sysinfo/InstalledProduct.h"

int CompareInstalledVersion(InstallerConfig& config) {
    return CompareInstalledVersion(config,
                                   {[] { return QueryServiceVersion(); }, [] { return FindInstalledProduct(); }});
}
