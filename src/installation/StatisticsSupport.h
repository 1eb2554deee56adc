// The installer's part the statistics record builds on: the log poster sends
// fallback lines (all of one record's lines on one route decision, made at
// the first line).
#pragma once

#include "services/InstallationStatistics.h"

namespace Installation {

InstallationStatistics::Support RecordSupport();

}  // namespace Installation
