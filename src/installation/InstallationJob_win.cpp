#include "installation/InstallationJob_win.h"

#include "common/AnsiText.h"
#include "configuration/InstallerConfig.h"
#include "installation/DownloadInstallWork.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "services/InstallationStatistics.h"

namespace Installation {

InstallationJob::InstallationJob(Session& session, InstallationDisplay& display)
    : session_(session),
      display_(display),
      model_(session.language),
      source_(session.config, session.statistics.Progress(), stopping_,
              [this](std::uint32_t percent, double received, double expected) {
                  ChangeProgress([&](DownloadProgressModel& model) {
                      return model.OnDownloadProgress(percent, received, expected,
                                                      session_.language.Current_Language());
                  });
              },
              session.log),
      machine_(session, stopping_,
               [this](std::int32_t percent) {
                   ChangeProgress([&](DownloadProgressModel& model) { return model.OnInstallProgress(percent); });
               }),
      reports_(session.statistics, [this] { return Facts(); }) {
    source_.Engine().OnReconnecting([this] { ShowStatus(LI_RECONNECTING); });
}

InstallationJob::~InstallationJob() {
    Stop();
    if (worker_.joinable()) worker_.join();
}

void InstallationJob::Start() {
    if (worker_.joinable()) return;
    SetSweeping(true);  // until the transfer knows its size
    worker_ = std::thread([this] {
        try {
            outcome_ =
                DownloadInstallWork(*this, source_, machine_, reports_, session_.language, session_.log).Run();
        } catch (...) {
            // Nothing may leave the thread; the installation cannot go on.
            outcome_ = Outcome::Failed;
            display_.CloseWizard();
        }
        display_.SetDownloading(false);
    });
}

Outcome InstallationJob::WaitForEnd() {
    if (worker_.joinable()) worker_.join();
    return outcome_;
}

void InstallationJob::Stop() {
    stopping_ = true;
    source_.Engine().RequestStop();
    source_.Engine().Pause(false);
}

void InstallationJob::Pause(bool paused) { source_.Engine().Pause(paused); }

void InstallationJob::RecordUserCancel() {
    reports_.RecordUserCancel(Common::ToAnsi(session_.config.DownloadLink()));
}

DownloadProgressModel::View InstallationJob::Progress() const {
    std::lock_guard<std::mutex> lock(progressLock_);
    return model_.Current();
}

template <class Change>
void InstallationJob::ChangeProgress(Change&& change) {
    bool changed;
    {
        std::lock_guard<std::mutex> lock(progressLock_);
        changed = change(model_);
    }
    if (changed) display_.ProgressChanged();
}

OutcomeFacts InstallationJob::Facts() {
    OutcomeFacts facts;
    facts.downloadLink = Common::ToAnsi(session_.config.DownloadLink());
    facts.downloadError = source_.Engine().LastError();
    const Download::DownloadMeasurements measured = source_.Measure();
    facts.downloadSeconds = measured.durationSeconds;
    facts.downloadFileSize = measured.fileSize;
    facts.progressValue = Progress().value;
    return facts;
}

void InstallationJob::ShowStatus(std::int32_t textItem) {
    const std::u16string text = session_.language.Get_Text(textItem);
    ChangeProgress([&](DownloadProgressModel& model) {
        model.SetStatus(text);
        return true;
    });
}

void InstallationJob::ResetProgress() {
    source_.MarkStart(false);
    ChangeProgress([](DownloadProgressModel& model) {
        model.StartPhase();
        return true;
    });
}

void InstallationJob::SetSweeping(bool sweeping) {
    ChangeProgress([&](DownloadProgressModel& model) {
        model.SetSweeping(sweeping);
        return true;
    });
}

void InstallationJob::EnableCancel(bool enabled) { display_.EnableCancel(enabled); }

void InstallationJob::SetDownloading(bool downloading) {
    if (downloading) source_.MarkStart(true);
    display_.SetDownloading(downloading);
}

ErrorChoice InstallationJob::ShowError(const std::u16string& text, ErrorButtons buttons) {
    if (stopping_) return ErrorChoice::Cancel;
    return display_.ShowError(text, buttons);
}

void InstallationJob::CloseWizard() { display_.CloseWizard(); }

void InstallationJob::MoveToNextPage() { display_.MoveToNextPage(); }

}  // namespace Installation
