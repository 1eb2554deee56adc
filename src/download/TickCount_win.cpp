#include <windows.h>

#include "download/DownloadMeasurements.h"

namespace Download {

std::uint32_t TickCount() { return GetTickCount(); }

}  // namespace Download
