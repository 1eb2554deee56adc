// The display of a run without any window: nothing is shown, and every
// question is answered Cancel, since nobody is there to answer it. What it
// would have said is kept, for the log and for tests.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "installation/InstallationDisplay.h"

namespace Installation {

class QuietDisplay : public InstallationDisplay {
public:
    // The texts of the questions answered Cancel, in order.
    std::vector<std::u16string> Errors() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return errors_;
    }

    void ProgressChanged() override {}
    void EnableCancel(bool) override {}
    void SetDownloading(bool) override {}
    ErrorChoice ShowError(const std::u16string& text, ErrorButtons) override {
        std::lock_guard<std::mutex> lock(mutex_);
        errors_.push_back(text);
        return ErrorChoice::Cancel;
    }
    void CloseWizard() override {}
    void MoveToNextPage() override {}

private:
    mutable std::mutex mutex_;
    std::vector<std::u16string> errors_;
};

}  // namespace Installation
