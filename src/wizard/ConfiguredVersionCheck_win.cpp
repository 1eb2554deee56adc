#include "wizard/ConfiguredVersionCheck.h"

#include "sysinfo/InstalledProduct.h"

VersionComparison CompareInstalledVersion(InstallerConfig& config) {
    return CompareInstalledVersion(config,
                                   {[] { return QueryServiceVersion(); }, [] { return FindInstalledProduct(); }});
}
