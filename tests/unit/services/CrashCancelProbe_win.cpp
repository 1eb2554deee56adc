// Starts the statistics of an installation at the service named on its
// command line (statistics URL, log handler URL, settings path), then
// crashes with the installer's crash filter in place, whose report must
// reach the service as the installation's CancelInstallation.
#include <windows.h>

#include "app/CrashDump.h"
#include "common/AnsiText.h"
#include "common/WideText.h"
#include "services/InstallationStatistics.h"
#include "installation/StatisticsSupport.h"

namespace {

void ReportCrashCancel(void* record) { static_cast<InstallationStatistics*>(record)->ReportCrash(); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    InstallationStatistics record(
        {Common::FromWide(argv[1]), Common::ToAnsi(Common::FromWide(argv[2])), Common::FromWide(argv[3])},
        Installation::RecordSupport());
    record.SetLanguageCode(u"en");
    record.ReportStart();
    // The crash comes later in the run, once the start report has been made.
    record.WaitForReports(std::chrono::seconds(60));

    InstallCrashDumpFilter();
    SetCrashReportHook(&ReportCrashCancel, &record);
    volatile int* nowhere = nullptr;
    *nowhere = 42;
    return 0;
}
