// The switches of an unattended installation: what an administrator's command
// line asks for, read without touching the machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "language/LanguageId.h"

enum class InstallUi {
    Full,     // the wizard
    Passive,  // a small progress window with Cancel, no questions
    Quiet,    // no window of any kind
};

struct InstallOptions {
    InstallUi ui = InstallUi::Full;
    std::optional<std::u16string> logFile;
    std::optional<LanguageId> language;
    std::optional<std::u16string> installDir;
    // FeatureBits of the component list; none given: the typical features.
    std::optional<std::uint32_t> features;
    // Download and verify the package into this folder, install nothing.
    std::optional<std::u16string> layoutDir;
    // Install from this package instead of downloading it.
    std::optional<std::u16string> packageFile;
    bool noRestart = false;
    bool noReports = false;
    // Print InstallSwitchesHelp() and exit with kInstallSucceeded; the other
    // fields are then left as they are by default.
    bool help = false;
};

struct InstallSwitchesResult {
    std::optional<InstallOptions> options;  // set when the command line is valid
    std::u16string error;                   // otherwise why not: one line of English
};

// `shellArgs` is the command line as the shell splits it, the program first
// (as ClassifyCommandLine takes it). Switches start with '/' or '-', match
// without regard to case and come in any order; a value follows as the next
// argument or after ':' or '=' ("/log:setup.log"). /? or /help anywhere wins
// over everything else on the line, valid or not.
InstallSwitchesResult ParseInstallSwitches(const std::vector<std::u16string>& shellArgs);

// Whether the argument has a switch's form: it starts with '/' or '-'.
bool StartsAsSwitch(std::u16string_view argument);

// The text /? prints: the switches one a line, the feature names and the exit
// codes, in English.
std::u16string InstallSwitchesHelp();
