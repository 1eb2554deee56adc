#include "wizard/ConfiguredVersionCheck.h"

int CompareInstalledVersion(InstallerConfig& config, const VersionSources& sources) {
    VersionRecord offered = config.PackageVersion();
    const int comparison = CompareInstalledVersion(config.PackageVersionText(), offered, sources);
    config.SetPackageVersion(offered);
    return comparison;
}
