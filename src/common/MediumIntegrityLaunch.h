// Starting a program without the installer's administrator rights.
#pragma once

#include <string>

namespace Common {

// Starts the command line with a copy of this process's token lowered to
// the medium integrity level, and does not wait for it. The answer is
// "Success" or the step that failed: "OpenProcessToken failed",
// "DuplicateTokenEx failed", "ConvertStringSidToSid failed",
// "SetTokenInformation failed" or "CreateProcessAsUserA failed".
// The command line is narrow text in the system's ANSI code page.
std::string LaunchAtMediumIntegrity(const std::string& commandLine);

}  // namespace Common
