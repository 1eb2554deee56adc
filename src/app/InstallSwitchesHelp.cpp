#include "app/InstallSwitches.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "app/InstallSwitchesFeatures.h"
#include "app/InstallSwitchesTable.h"
#include "common/TextUtil.h"
#include "installation/InstallationOutcome.h"

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
    using Installation::Outcome;
    const std::pair<Outcome, const char16_t*> codes[] = {
        {Outcome::Installed, u"installed, or the same version already was"},
        {Outcome::InstalledRestartNeeded, u"installed, a restart is needed"},
        {Outcome::Cancelled, u"cancelled"},
        {Outcome::Failed, u"failed"},
        {Outcome::AnotherInstallation, u"another installation is running"},
        {Outcome::NewerVersionInstalled, u"a newer version is installed"},
        {Outcome::InvalidCommandLine, u"invalid command line"},
    };
    text += u"\nExit codes:";
    separator = u" ";
    for (const auto& [outcome, meaning] : codes) {
        text += separator + Common::DecimalText(static_cast<std::uint64_t>(Installation::ExitCode(outcome))) + u" " +
                meaning;
        separator = u", ";
    }
    text += u"\n";
    return text;
}
