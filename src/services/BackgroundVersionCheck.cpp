#include "services/BackgroundVersionCheck.h"

#include <condition_variable>
#include <mutex>

#include "common/DetachedThread.h"

struct BackgroundVersionCheck::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> answered;  // cleared when the owner goes
    std::optional<VersionRecord> installed;
    std::optional<Clock::time_point> askingSince;  // the update service is being asked
    std::optional<VersionAnswer> answer;

    // The local query has answered once either is set.
    bool InstalledKnown() const { return answer || askingSince; }

    // Called with the lock held, so that the owner cannot clear the
    // callback (and go away) while it runs; it only posts a message.
    void Notify(std::unique_lock<std::mutex>&) {
        changed.notify_all();
        if (answered) answered();
    }
};

namespace {

// The thread owns copies of what it reads: it may outlive the check (a slow
// update service is given up, the window closes).
void Ask(BackgroundVersionCheck::State& state, const std::u16string& configuredText, VersionRecord offered,
         const VersionSources& sources) {
    std::optional<VersionRecord> installed;
    try {
        if (sources.findInstalled) installed = sources.findInstalled();
    } catch (...) {
        installed.reset();  // a query that fails finds nothing installed
    }
    // With nothing installed every offered version is newer: the service is
    // not asked. Nor is it when the configuration names the version.
    if (installed) OfferedVersion(configuredText, offered, {});
    const bool asksService = installed && offered.IsNone() && sources.askService;
    {
        std::unique_lock<std::mutex> lock(state.mutex);
        state.installed = installed;
        if (asksService)
            state.askingSince = BackgroundVersionCheck::Clock::now();
        else
            state.answer = VersionAnswer{CompareVersions(offered, installed), offered};
        state.Notify(lock);
    }
    if (!asksService) return;

    try {
        OfferedVersion(configuredText, offered, sources.askService);
    } catch (...) {
        offered = {};  // as a failed service
    }
    std::unique_lock<std::mutex> lock(state.mutex);
    if (state.answer) return;  // given up on: the decision stands
    state.answer = VersionAnswer{CompareVersions(offered, installed), offered};
    state.Notify(lock);
}

}  // namespace

BackgroundVersionCheck::BackgroundVersionCheck(std::u16string configuredText, VersionRecord cachedOffered,
                                               VersionSources sources, std::function<void()> answered)
    : state_(std::make_shared<State>()) {
    state_->answered = std::move(answered);
    auto ask = [state = state_, text = std::move(configuredText), cachedOffered, sources = std::move(sources)] {
        Ask(*state, text, cachedOffered, sources);
    };
    if (!Common::StartDetachedThread(ask)) ask();  // no thread to be had: asked here, as before
}

BackgroundVersionCheck::~BackgroundVersionCheck() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->answered = nullptr;
}

void BackgroundVersionCheck::WaitForInstalledVersion() {
    std::unique_lock<std::mutex> lock(state_->mutex);
    state_->changed.wait(lock, [this] { return state_->InstalledKnown(); });
}

std::optional<VersionAnswer> BackgroundVersionCheck::AnswerWithin(std::chrono::milliseconds serviceBound,
                                                                  Clock::time_point now) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->answer) return state_->answer;
    if (!state_->askingSince || now - *state_->askingSince < serviceBound) return std::nullopt;
    // The service is slow or unreachable: decide as when it fails, and
    // keep the decision even if it answers later.
    VersionAnswer answer;
    answer.comparison = CompareVersions(VersionRecord{}, state_->installed);
    state_->answer = answer;
    return answer;
}
