#include "wizard/FinishPaths.h"

#include "configuration/InstallerConfig.h"

namespace Wizard {

std::u16string AppendPath(const std::u16string& folder, const std::u16string& name) {
    const std::size_t start = name.find_first_not_of(u'\\');
    const std::u16string tail = start == std::u16string::npos ? std::u16string() : name.substr(start);
    if (folder.empty()) return tail;
    if (folder.back() == u'\\') return folder + tail;
    return folder + u'\\' + tail;
}

std::u16string ProductProgramPath(const std::u16string& installDir) { return AppendPath(installDir, kProductProgram); }

std::u16string DesktopShortcutPath(const std::u16string& desktopFolder) {
    return AppendPath(desktopFolder, kShortcutName);
}

std::u16string QuickLaunchShortcutPath(const std::u16string& appDataFolder) {
    return AppendPath(AppendPath(appDataFolder, kQuickLaunchFolder), kShortcutName);
}

std::u16string ProgramCommandLine(const std::u16string& program) { return u"\"" + program + u"\""; }

std::u16string ThankYouAddress(const std::u16string& link, LanguageId language) {
    if (link.empty()) return link;
    return WithLanguageQuery(link, LanguageCode(language));
}

}  // namespace Wizard
