// Where installation logs go and which of them are kept: the default name
// "Corvane2013_Install_<yyyyMMdd_HHmmss>.log" in the temporary folder, the
// Windows Installer's verbose log beside a log, and the old default-named
// logs a new run removes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/LogClock.h"

namespace Common {

// How many default-named logs the temporary folder keeps, the new one included.
inline constexpr std::size_t kKeptInstallationLogs = 10;

// "2013-05-04 09:03:07.015", the stamp in front of every line.
std::string LogTimestamp(const LocalTime& time);

// `name` in `folder`, which may end in its separator or not.
std::u16string InFolder(const std::u16string& folder, std::u16string_view name);

// "Corvane2013_Install_20130504_090307.log".
std::u16string DefaultLogName(const LocalTime& time);
// The default name in `folder` (with or without its last separator).
std::u16string DefaultLogPath(const std::u16string& folder, const LocalTime& time);

// Whether `name` is a default name (not its "_msi.log" companion).
bool IsDefaultLogName(std::u16string_view name);

// The Windows Installer's log beside a log: "X.log" becomes "X_msi.log",
// any other name gets "_msi.log" appended.
std::u16string MsiLogPathBeside(std::u16string_view logPath);

// Of the file names in the temporary folder, those to remove so that `keep`
// default-named logs stay: the `current` one (never removed, even when a
// clock set back makes its name sort first) and the newest others (their
// names sort by time). The older logs go with their Windows Installer logs;
// other files are never named.
std::vector<std::u16string> LogsToRemove(const std::vector<std::u16string>& names, std::u16string_view current,
                                         std::size_t keep = kKeptInstallationLogs);

}  // namespace Common
