// The statistics progress of one run. The wizard's thread writes it as the
// user moves through the pages, the installation's worker as the package
// arrives and installs, and a report reads it on whichever thread asks for
// the report: every access goes through the record's lock.
#pragma once

#include <mutex>
#include <utility>

#include "services/EventRecord.h"

class ProgressRecord {
public:
    // Applies `change` to the progress under the lock; `change` takes an
    // InstallationProgress& and must not reach the record again.
    template <class Change>
    void Update(Change&& change) {
        std::lock_guard<std::mutex> lock(lock_);
        std::forward<Change>(change)(progress_);
    }

    InstallationProgress Snapshot() const {
        std::lock_guard<std::mutex> lock(lock_);
        return progress_;
    }

private:
    mutable std::mutex lock_;
    InstallationProgress progress_;
};
