// What the download and install work shows: the status line, the progress
// bar, the Cancel button and the carousel, the error dialog, and the wizard's
// navigation at the end. Called on the work's thread; the page hands it to
// its window by messages.
#pragma once

#include <cstdint>
#include <string>

namespace Installation {

enum class ErrorButtons { CancelRetry, Close };
enum class ErrorChoice { Retry, Cancel };

class DownloadInstallView {
public:
    virtual ~DownloadInstallView() = default;

    virtual void ShowStatus(std::int32_t textItem) = 0;
    virtual void ResetProgress() = 0;  // a new phase: the bar starts from 0
    virtual void SetSweeping(bool sweeping) = 0;
    virtual void EnableCancel(bool enabled) = 0;
    virtual void SetDownloading(bool downloading) = 0;  // runs or ends the carousel
    virtual ErrorChoice ShowError(const std::u16string& text, ErrorButtons buttons) = 0;
    virtual void CloseWizard() = 0;     // posted: the wizard ends
    virtual void MoveToNextPage() = 0;  // sent: the wizard shows the next page
};

}  // namespace Installation
