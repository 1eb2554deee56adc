// Whether the product is installed on this machine, and in which version.
#pragma once

#include <optional>

#include "common/VersionRecord.h"

// The installed product's version; 0.0.0.0 when it is installed for the
// current user only (that entry carries no version the probe reads);
// nullopt when it is not installed.
std::optional<VersionRecord> FindInstalledProduct();
