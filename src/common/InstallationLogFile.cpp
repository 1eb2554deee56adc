#include "common/InstallationLogFile.h"

#include "common/InstallationLogNames.h"
#include "common/LogFolder.h"

namespace Common {

std::string FormatLogLine(const LocalTime& time, std::string_view text) {
    std::string line = LogTimestamp(time);
    line += ' ';
    line.reserve(line.size() + text.size() + 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        line += (byte < 0x20 && c != '\t') || byte == 0x7F ? ' ' : c;
    }
    line += "\r\n";
    return line;
}

InstallationLogFile::InstallationLogFile(const std::u16string& path, LocalClock clock) : clock_(clock) {
    if (file_.Open(path)) path_ = path;
}

void InstallationLogFile::Line(std::string_view text) noexcept {
    if (path_.empty()) return;
    try {
        const std::lock_guard<std::mutex> lock(lock_);
        // Stamped under the lock: the file's lines are in the order of their times.
        file_.Append(FormatLogLine(clock_(), text));
    } catch (...) {
        // Out of memory: the line is lost, the installation goes on.
    }
}

std::u16string InstallationLogFile::Path() const { return path_; }

std::unique_ptr<InstallationLogFile> OpenDefaultInstallationLog(const std::u16string& folder, LocalClock clock) {
    const std::u16string name = DefaultLogName(clock());
    auto log = std::make_unique<InstallationLogFile>(InFolder(folder, name), clock);
    for (const std::u16string& old : LogsToRemove(FileNamesIn(folder), name)) RemoveFileAt(InFolder(folder, old));
    return log;
}

}  // namespace Common
