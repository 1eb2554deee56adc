// Makes the installed product the user's program for PDF documents and for its
// own ".wwf" documents. Every step writes through the registry layer and
// ignores its failures, so a step that lacks rights leaves the others intact.
#pragma once

#include <string>

namespace Common {

// Windows generations as the shell's association keys tell them apart:
// 0 NT 4 / 2000, 1 XP / 2003, 2 Vista / 7, 3 later.
int OsGeneration(unsigned long major, unsigned long minor);

// "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.pdf", with
// "\UserChoice" from generation 2 on.
std::u16string UserChoiceKey(const std::u16string& extension, int osGeneration);

// "\"FOLDER\PROGID.exe\"\"%1\"": the product's own document argument form.
std::u16string OpenCommand(const std::u16string& installFolder, const std::u16string& progId);

#ifdef _WIN32
class FileAssociation {
public:
    FileAssociation();

    // The finish page's sequence, in order.
    void RemoveOldRegistrations() const;
    void EnsureExtensionKeys() const;
    void RegisterIcons(const std::u16string& installFolder) const;
    void RegisterOpenCommands(const std::u16string& installFolder) const;
    void AddOpenWithProgids() const;
    void SetAppUserModelIds() const;
    void MakeDefault() const;

    // All seven steps.
    void Run(const std::u16string& installFolder) const;

    // The generation MakeDefault uses; tests set it to reach the older key form.
    void SetOsGeneration(int generation) { osGeneration_ = generation; }

private:
    std::u16string CurrentDefault(const std::u16string& extension) const;
    void MakeDefaultFor(const std::u16string& extension, const std::u16string& progId,
                        const std::u16string& previousValueName) const;
    std::u16string WwfProgId() const { return progId_ + u".WWF"; }

    std::u16string applicationName_;
    std::u16string progId_;
    std::u16string settingsPath_;
    int osGeneration_;
};
#endif

}  // namespace Common
