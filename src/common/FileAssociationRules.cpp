#include "common/FileAssociation.h"

namespace Common {

int OsGeneration(unsigned long major, unsigned long minor) {
    if ((major == 4 || major == 5) && minor == 0) return 0;
    if (major == 5) return 1;
    if (major == 6) return 2;
    return 3;
}

std::u16string UserChoiceKey(const std::u16string& extension, int osGeneration) {
    std::u16string key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\" + extension;
    if (osGeneration > 1) key += u"\\UserChoice";
    return key;
}

std::u16string OpenCommand(const std::u16string& installFolder, const std::u16string& progId) {
    return u"\"" + installFolder + u"\\" + progId + u".exe\"\"%1\"";
}

}  // namespace Common
