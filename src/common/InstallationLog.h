// The installation log: one timestamped UTF-8 line per event of a run, for
// support to ask for. Every part that knows an event takes an optional log
// (a null pointer: none) handed down from the run; there is no process-wide
// one. Lines may come from any thread.
#pragma once

#include <string>
#include <string_view>

namespace Common {

class InstallationLog {
public:
    virtual ~InstallationLog() = default;

    // Writes one line; the log adds the time in front. `text` is UTF-8.
    // Never raises: a log that cannot write drops the line.
    virtual void Line(std::string_view text) noexcept = 0;
    // The file the lines go to; empty when they go nowhere.
    virtual std::u16string Path() const = 0;
};

// A log that keeps nothing.
class NullInstallationLog final : public InstallationLog {
public:
    void Line(std::string_view) noexcept override {}
    std::u16string Path() const override { return {}; }
};

// Writes the line when there is a log.
inline void LogLine(InstallationLog* log, std::string_view text) noexcept {
    if (log) log->Line(text);
}

}  // namespace Common
