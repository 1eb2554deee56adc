// What the download and install page shows while it works: the progress
// value of the current phase (it never moves back within a phase), the status
// line, and whether the bar sweeps instead of showing a percentage. Written by
// the worker thread, read by painting: the page guards it with a lock.
#pragma once

#include <cstdint>
#include <string>

#include "language/LanguageId.h"

class AsLanguage_Manager;

namespace Installation {

class DownloadProgressModel {
public:
    // Its texts come from `languages`, which outlives the model.
    explicit DownloadProgressModel(const AsLanguage_Manager& languages) : languages_(languages) {}

    struct View {
        int value = 0;  // 0 to 100
        std::u16string status;
        bool sweeping = false;
    };

    // A new phase: the bar starts from 0.
    void StartPhase();
    void SetStatus(std::u16string status) { view_.status = std::move(status); }
    void SetSweeping(bool sweeping) { view_.sweeping = sweeping; }

    // True when anything visible changed.
    bool OnDownloadProgress(std::uint32_t percent, double received, double expected, LanguageId language);
    bool OnInstallProgress(int percent);

    const View& Current() const { return view_; }

private:
    const AsLanguage_Manager& languages_;
    View view_;
};

}  // namespace Installation
