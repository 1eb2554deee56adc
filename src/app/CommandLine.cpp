#include "app/CommandLine.h"

#include "common/TextUtil.h"

StartMode ClassifyCommandLine(const std::vector<std::u16string>& shellArgs,
                              const std::vector<std::u16string>& runtimeArgs) {
    if (shellArgs.size() == 3 && shellArgs[1] == u"-export") return StartMode::Export;
    if (runtimeArgs.size() >= 2 && Common::ToLowerAscii(runtimeArgs[1]) == u"-build") return StartMode::Build;
    return StartMode::Wizard;
}
