// The three ways the installer can be started.
#pragma once

#include <string>
#include <vector>

enum class StartMode {
    Export,  // program -export FILE: write the text tables as a workbook
    Build,   // program -build TARGET KEY=VALUE...: write a configured copy
    Wizard,  // anything else: the installation wizard
};

// `shellArgs` is the command line split as the shell splits it; `runtimeArgs`
// is the C runtime's argument array. The export form needs exactly three words
// and an exact "-export"; the build form compares its switch lower-cased.
StartMode ClassifyCommandLine(const std::vector<std::u16string>& shellArgs,
                              const std::vector<std::u16string>& runtimeArgs);
