// The installed-version question asked on a thread of its own, so that the
// wizard's window paints while the Windows Installer is queried and the
// update service answers. The local query is always waited for; the update
// service only for a bound, after which the answer is the one a failed
// service gives (offered version 0.0.0.0).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/VersionRecord.h"
#include "services/UpdateCheck.h"

struct VersionAnswer {
    VersionComparison comparison = VersionComparison::NotInstalledOrOlder;
    // The offered version to keep for the rest of the run; 0.0.0.0 when no
    // source gave one (the service may be asked again later).
    VersionRecord offered;
};

class BackgroundVersionCheck {
public:
    using Clock = std::chrono::steady_clock;

    // Starts the question at once. `answered` is called on the question's
    // thread when the installed version is known and again when the whole
    // answer is; it must only wake the owner (post a message). Without a
    // thread to be had, the question is answered before the constructor
    // returns.
    BackgroundVersionCheck(std::u16string configuredText, VersionRecord cachedOffered, VersionSources sources,
                           std::function<void()> answered = {});
    ~BackgroundVersionCheck();
    BackgroundVersionCheck(const BackgroundVersionCheck&) = delete;
    BackgroundVersionCheck& operator=(const BackgroundVersionCheck&) = delete;

    // Waits until the installed version is known (the local query), not for
    // the update service.
    void WaitForInstalledVersion();

    // The answer once known, or once the update service has been waited for
    // `serviceBound`; nothing before. Never blocks.
    std::optional<VersionAnswer> AnswerWithin(std::chrono::milliseconds serviceBound, Clock::time_point now = Clock::now());

    struct State;

private:
    std::shared_ptr<State> state_;
};
