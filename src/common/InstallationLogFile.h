// The installation log in a file: each line appended and handed to the
// system at once, under a lock, so that lines from several threads stay
// whole and in order and a crash keeps what came before it.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "common/AppendOnlyFile.h"
#include "common/InstallationLog.h"
#include "common/LogClock.h"

namespace Common {

class InstallationLogFile final : public InstallationLog {
public:
    // Appends to `path`, creating it and its folders. A file that cannot be
    // opened never stops the installation: the log then writes nothing and
    // names no path.
    explicit InstallationLogFile(const std::u16string& path, LocalClock clock = &LocalTimeNow);

    void Line(std::string_view text) noexcept override;
    std::u16string Path() const override;

private:
    LocalClock clock_;
    std::u16string path_;  // empty when the file did not open
    std::mutex lock_;
    AppendOnlyFile file_;
};

// The log of a run that names none: a default name in `folder` (the
// temporary folder), after which the older default-named logs beyond the
// newest ten are removed, with their Windows Installer logs.
std::unique_ptr<InstallationLogFile> OpenDefaultInstallationLog(const std::u16string& folder,
                                                                LocalClock clock = &LocalTimeNow);

// One event as the file holds it: the stamp, the text with its control
// characters (line breaks included) made spaces, so that an event stays
// one line whatever a server or a message text carries, and CR LF.
std::string FormatLogLine(const LocalTime& time, std::string_view text);

}  // namespace Common
