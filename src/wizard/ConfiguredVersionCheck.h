// The update check for the configured copy: the offered version comes from
// the configuration's package version text, and once known it is kept in
// the configuration for the rest of the run.
#pragma once

#include "configuration/InstallerConfig.h"
#include "services/UpdateCheck.h"

// 0 not installed or older than the offered version, 1 the same version,
// 2 a newer one.
int CompareInstalledVersion(InstallerConfig& config, const VersionSources& sources);

// Windows: the same with the deployment's update service and the
// installed-product probe.
int CompareInstalledVersion(InstallerConfig& config);
