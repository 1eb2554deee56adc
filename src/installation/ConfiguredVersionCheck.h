// The update check for the configured copy: the offered version comes from
// the configuration's package version text, and once known it is kept in
// the configuration for the rest of the run.
#pragma once

#include "configuration/InstallerConfig.h"
#include "services/UpdateCheck.h"

// How the installed product compares with the offered version.
VersionComparison CompareInstalledVersion(InstallerConfig& config, const VersionSources& sources);

// Windows: the deployment's update service and the installed-product probe.
VersionSources DeploymentVersionSources();

// Windows: the comparison with the deployment's sources.
VersionComparison CompareInstalledVersion(InstallerConfig& config);
