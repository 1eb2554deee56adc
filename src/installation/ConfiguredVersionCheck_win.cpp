#include "installation/ConfiguredVersionCheck.h"

#include "sysinfo/InstalledProduct.h"

VersionSources DeploymentVersionSources() {
    return {[] { return QueryServiceVersion(); }, [] { return FindInstalledProduct(); }};
}

VersionComparison CompareInstalledVersion(InstallerConfig& config) {
    return CompareInstalledVersion(config, DeploymentVersionSources());
}
