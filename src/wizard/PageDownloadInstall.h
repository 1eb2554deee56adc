// The download and install page (123): downloads and installs the package on
// a worker thread and moves the wizard on when done. It has its own Cancel
// button; the main dialog pauses the download while the exit dialog asks.
#pragma once

#include "wizard/BaseDialog.h"

class PageDownloadInstall : public BaseDialog {
public:
    PageDownloadInstall();

    void OnEnterPage(int direction) override;
    // Around the exit dialog of the main Cancel button.
    void PauseDownload();
    void ResumeDownload();
};
