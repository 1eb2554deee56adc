#include "app/CommandLine.h"

#include <algorithm>

#include "app/InstallSwitches.h"
#include "common/TextUtil.h"

StartMode ClassifyCommandLine(const std::vector<std::u16string>& shellArgs,
                              const std::vector<std::u16string>& runtimeArgs) {
    if (shellArgs.size() == 3 && shellArgs[1] == u"-export") return StartMode::Export;
    if (runtimeArgs.size() >= 2 && Common::ToLowerAscii(runtimeArgs[1]) == u"-build") return StartMode::Build;
    return StartMode::Wizard;
}

bool CarriesInstallSwitches(const std::vector<std::u16string>& shellArgs) {
    if (shellArgs.size() < 2) return false;
    // -export with the wrong number of words, or not spelt exactly, has always
    // shown the wizard.
    if (Common::ToLowerAscii(shellArgs[1]) == u"-export") return false;
    return std::any_of(shellArgs.begin() + 1, shellArgs.end(),
                       [](const std::u16string& argument) { return StartsAsSwitch(argument); });
}
