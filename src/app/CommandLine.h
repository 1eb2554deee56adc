// The ways the installer can be started.
#pragma once

#include <string>
#include <vector>

enum class StartMode {
    Export,  // program -export FILE: write the text tables as a workbook
    Build,   // program -build TARGET KEY=VALUE...: write a configured copy
    Wizard,  // anything else: the installation wizard, or a run the switches describe
};

// `shellArgs` is the command line split as the shell splits it; `runtimeArgs`
// is the C runtime's argument array. The export form needs exactly three words
// and an exact "-export"; the build form compares its switch lower-cased.
StartMode ClassifyCommandLine(const std::vector<std::u16string>& shellArgs,
                              const std::vector<std::u16string>& runtimeArgs);

// The second step of a StartMode::Wizard command line: true when it carries
// install switches (any argument in switch form), which ParseInstallSwitches
// then reads; false leaves the wizard as the program has always shown it.
// Lines that open with -export in any case but miss its form stay with the
// wizard, as they always have (every line opening with -build is StartMode::Build).
bool CarriesInstallSwitches(const std::vector<std::u16string>& shellArgs);
