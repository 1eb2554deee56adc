// How the installed product's version stands against the version the
// installer offers.
#pragma once

enum class VersionComparison {
    NotInstalledOrOlder,
    SameInstalled,
    NewerInstalled,  // removed before the offered version goes on
};
