// "-build": a copy of the running installer with a stamp block appended.
#pragma once

#include <string>
#include <vector>

enum class BuildResult {
    Built,
    NothingToBuild,  // no KEY=VALUE pairs were given
    CopyFailed,      // the target could not be written (missing folder, read-only file, ...)
};

// Writes `target` as a copy of `source` followed by the stamp block of
// `entries`. The copy is assembled beside the target and moved into place only
// when complete, so a failure never leaves a file that looks configured.
BuildResult BuildConfiguredCopy(const std::u16string& source, const std::u16string& target,
                                const std::vector<std::u16string>& entries);
