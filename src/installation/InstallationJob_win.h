// One installation of the product, run on a worker thread of its own: the
// download-check-install flow over the real package source, target machine
// and statistics reports, shown by whatever display is handed in (the
// wizard's page, a progress window, or none). The job keeps what the display
// reads (the status line, the bar's value, whether it sweeps) under its lock.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "installation/DownloadInstallView.h"
#include "installation/DownloadProgressModel.h"
#include "installation/EnginePackageSource_win.h"
#include "installation/InstallationDisplay.h"
#include "installation/InstallationOutcome.h"
#include "installation/Session.h"
#include "installation/StatisticsReports.h"
#include "installation/WindowsTargetMachine_win.h"

namespace Installation {

class InstallationJob : private DownloadInstallView {
public:
    // The session and the display outlive the job.
    InstallationJob(Session& session, InstallationDisplay& display);
    // Stops the work and waits for its thread.
    ~InstallationJob() override;
    InstallationJob(const InstallationJob&) = delete;
    InstallationJob& operator=(const InstallationJob&) = delete;

    // Starts the work once; later calls do nothing.
    void Start();
    // Waits until the work has ended; how it ended.
    Outcome WaitForEnd();
    // Final: the transfer ends at once, nothing more is installed, and an
    // error question still open is answered Cancel.
    void Stop();
    // Holds the transfer while the user is asked whether to leave.
    void Pause(bool paused);

    // The user confirmed leaving during the download: recorded as a cancel
    // in the download step.
    void RecordUserCancel();

    DownloadProgressModel::View Progress() const;

private:
    // DownloadInstallView, as the flow sees it: the job's model, then the display.
    void ShowStatus(std::int32_t textItem) override;
    void ResetProgress() override;
    void SetSweeping(bool sweeping) override;
    void EnableCancel(bool enabled) override;
    void SetDownloading(bool downloading) override;
    ErrorChoice ShowError(const std::u16string& text, ErrorButtons buttons) override;
    void CloseWizard() override;
    void MoveToNextPage() override;

    // Changes the model under the lock; tells the display when `change` says so.
    template <class Change>
    void ChangeProgress(Change&& change);
    OutcomeFacts Facts();

    Session& session_;
    InstallationDisplay& display_;
    std::atomic<bool> stopping_{false};

    mutable std::mutex progressLock_;
    DownloadProgressModel model_;

    EnginePackageSource source_;
    WindowsTargetMachine machine_;
    StatisticsReports reports_;
    Outcome outcome_ = Outcome::Failed;  // written by the worker, read once it is joined
    std::thread worker_;
};

}  // namespace Installation
