// Starting a program without the installer's administrator rights.
#pragma once

#include <string>

#include "common/WinHandles.h"

namespace Common {

// A primary token for a program started without the installer's rights: a
// copy of this process's token lowered to the medium integrity level. Empty
// when a step failed; `failedStep` then names it: "OpenProcessToken failed",
// "DuplicateTokenEx failed", "ConvertStringSidToSid failed" or
// "SetTokenInformation failed".
UniqueHandle MediumIntegrityToken(std::string& failedStep);

// Starts the command line with the token of MediumIntegrityToken, and does
// not wait for it. The answer is "Success", the failed step of the token or
// "CreateProcessAsUserA failed".
// The command line is narrow text in the system's ANSI code page.
std::string LaunchAtMediumIntegrity(const std::string& commandLine);

}  // namespace Common
