#include "installation/ConfiguredVersionCheck.h"

VersionComparison CompareInstalledVersion(InstallerConfig& config, const VersionSources& sources) {
    VersionRecord offered = config.PackageVersion();
    const VersionComparison comparison = CompareInstalledVersion(config.PackageVersionText(), offered, sources);
    config.SetPackageVersion(offered);
    return comparison;
}
