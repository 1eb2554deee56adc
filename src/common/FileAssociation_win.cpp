#include "common/FileAssociation.h"

#include <windows.h>
#include <shlobj.h>

#include "common/ProductIdentity.h"
#include "common/Registry.h"

namespace Common {
namespace {

constexpr char16_t kFileExts[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
constexpr char16_t kPdf[] = u".pdf";
constexpr char16_t kWwf[] = u".wwf";

// Each step may fail for lack of rights; the sequence goes on regardless.
template <typename Step>
void BestEffort(Step&& step) {
    try {
        step();
    } catch (const WinEx&) {
    }
}

int CurrentOsGeneration() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) return 3;
#pragma GCC diagnostic pop
    return OsGeneration(version.dwMajorVersion, version.dwMinorVersion);
}

}  // namespace

FileAssociation::FileAssociation()
    : applicationName_(Product::kName),
      progId_(Product::kName),
      settingsPath_(Product::kSettingsKey),
      osGeneration_(CurrentOsGeneration()) {}

void FileAssociation::Run(const std::u16string& installFolder) const {
    RemoveOldRegistrations();
    EnsureExtensionKeys();
    RegisterIcons(installFolder);
    RegisterOpenCommands(installFolder);
    AddOpenWithProgids();
    SetAppUserModelIds();
    MakeDefault();
}

void FileAssociation::RemoveOldRegistrations() const {
    for (const std::u16string& key :
         {applicationName_, u"Applications\\" + progId_, u"Applications\\" + applicationName_,
          u"Applications\\" + progId_ + u".exe", u"Applications\\" + applicationName_ + u".exe"}) {
        BestEffort([&] { Registry::DeleteKeyTree(HKEY_CLASSES_ROOT, key); });
    }
}

void FileAssociation::EnsureExtensionKeys() const {
    for (const char16_t* extension : {kPdf, kWwf}) {
        std::u16string current;
        try {
            Registry::ReadString(HKEY_CLASSES_ROOT, extension, u"", current);
        } catch (const WinEx&) {
            current.clear();
        }
        if (current.empty()) BestEffort([&] { Registry::WriteString(HKEY_CLASSES_ROOT, extension, u"", u""); });
    }
}

void FileAssociation::RegisterIcons(const std::u16string& installFolder) const {
    const std::u16string exe = installFolder + u"\\" + progId_ + u".exe";
    BestEffort([&] { Registry::WriteString(HKEY_CLASSES_ROOT, progId_ + u"\\DefaultIcon", u"", exe + u",1"); });
    BestEffort([&] { Registry::WriteString(HKEY_CLASSES_ROOT, WwfProgId() + u"\\DefaultIcon", u"", exe + u",2"); });
}

void FileAssociation::RegisterOpenCommands(const std::u16string& installFolder) const {
    const std::u16string command = OpenCommand(installFolder, progId_);
    for (const std::u16string& progId : {progId_, WwfProgId()}) {
        BestEffort([&] { Registry::WriteString(HKEY_CLASSES_ROOT, progId + u"\\shell\\open\\command", u"", command); });
    }
}

void FileAssociation::AddOpenWithProgids() const {
    const std::pair<const char16_t*, std::u16string> entries[] = {{kPdf, progId_}, {kWwf, WwfProgId()}};
    for (const auto& [extension, progId] : entries) {
        BestEffort([&] {
            Registry::WriteBinary(HKEY_CURRENT_USER, std::u16string(kFileExts) + extension + u"\\OpenWithProgids",
                                  progId, nullptr, 0);
        });
    }
}

void FileAssociation::SetAppUserModelIds() const {
    for (const std::u16string& key : {progId_, WwfProgId()}) {
        BestEffort([&] { Registry::WriteString(HKEY_CLASSES_ROOT, key, u"AppUserModelID", progId_); });
    }
}

std::u16string FileAssociation::CurrentDefault(const std::u16string& extension) const {
    std::u16string current;
    try {
        Registry::ReadString(HKEY_CURRENT_USER, UserChoiceKey(extension, osGeneration_), u"ProgID", current);
    } catch (const WinEx&) {
        current.clear();
    }
    if (!current.empty()) return current;
    try {
        Registry::ReadString(HKEY_CLASSES_ROOT, extension, u"", current);
    } catch (const WinEx&) {
        current.clear();
    }
    return current;
}

void FileAssociation::MakeDefaultFor(const std::u16string& extension, const std::u16string& progId,
                                     const std::u16string& previousValueName) const {
    const std::u16string current = CurrentDefault(extension);
    if (current != progId) {
        BestEffort([&] { Registry::WriteString(HKEY_CURRENT_USER, settingsPath_, previousValueName, current); });
    }
    const std::u16string userChoice = UserChoiceKey(extension, osGeneration_);
    BestEffort([&] { Registry::GrantEveryoneFullAccess(userChoice); });
    BestEffort([&] { Registry::WriteString(HKEY_CURRENT_USER, userChoice, u"ProgID", progId); });
}

void FileAssociation::MakeDefault() const {
    MakeDefaultFor(kPdf, progId_, u"previous association");
    MakeDefaultFor(kWwf, WwfProgId(), u"previous association wwf");
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr);
}

}  // namespace Common
