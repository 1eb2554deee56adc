// What shows a running installation: the wizard's download page, a small
// progress window or nothing at all. Called on the installation's worker
// thread; a window hands each call to its own thread. The status line and
// the bar's value are read from the job when ProgressChanged says so.
#pragma once

#include <string>

#include "installation/DownloadInstallView.h"

namespace Installation {

class InstallationDisplay {
public:
    virtual ~InstallationDisplay() = default;

    virtual void ProgressChanged() = 0;
    virtual void EnableCancel(bool enabled) = 0;
    // Runs (true) or ends the feature carousel while the package downloads.
    virtual void SetDownloading(bool downloading) = 0;
    virtual ErrorChoice ShowError(const std::u16string& text, ErrorButtons buttons) = 0;
    virtual void CloseWizard() = 0;     // the installation has ended without the product
    virtual void MoveToNextPage() = 0;  // the product is installed
};

}  // namespace Installation
