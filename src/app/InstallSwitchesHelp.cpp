#include "app/InstallSwitches.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/InstallSwitchesFeatures.h"
#include "app/InstallSwitchesTable.h"
#include "common/TextUtil.h"

namespace {

constexpr std::size_t kHelpColumn = 26;

std::u16string SwitchForms(const InstallSwitchTable::Entry& entry) {
    std::u16string forms;
    for (const char16_t* name : entry.names) {
        if (!name) break;
        if (!forms.empty()) forms += u", ";
        forms += u"/";
        forms += name;
    }
    if (entry.value) forms += std::u16string(u" ") + entry.value;
    return forms;
}

}  // namespace

std::u16string InstallSwitchesHelp() {
    std::u16string text =
        u"Usage: CorvaneInstaller.exe [switches]\n"
        u"Switches may start with / or -, in any case and order;"
        u" a value follows as the next argument or after : or =.\n";
    for (const InstallSwitchTable::Entry& entry : InstallSwitchTable::kEntries) {
        std::u16string line = u"  " + SwitchForms(entry);
        line.resize(std::max(line.size() + 1, kHelpColumn), u' ');
        text += line + entry.help + u"\n";
    }
    text += u"Features:";
    const char16_t* separator = u" ";
    for (const ComponentEntry& entry : ComponentEntries()) {
        text += separator + EnglishComponentName(entry);
        separator = u", ";
    }
    text += u"\nExit codes: " + Common::DecimalText(std::uint64_t{kInstallSucceeded}) + u" success, " +
            Common::DecimalText(std::uint64_t{kInstallRestartNeeded}) + u" success, a restart is needed, " +
            Common::DecimalText(std::uint64_t{kInstallCancelled}) + u" cancelled, " +
            Common::DecimalText(std::uint64_t{kInstallFailed}) + u" failed, " +
            Common::DecimalText(std::uint64_t{kInstallInvalidCommandLine}) + u" invalid command line\n";
    return text;
}
