#include "wizard/ShellShortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/ComPtr_win.h"
#include "common/WideText.h"

namespace Wizard {

bool CreateShellShortcut(const std::u16string& linkPath, const std::u16string& targetPath) {
    wchar_t fullTarget[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(Common::AsWide(targetPath), MAX_PATH, fullTarget, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;

    Common::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Put()))))
        return false;
    if (FAILED(link.Get()->SetPath(fullTarget)) || FAILED(link.Get()->SetDescription(L""))) return false;

    Common::ComPtr<IPersistFile> file;
    if (FAILED(link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) return false;
    wchar_t linkBuffer[MAX_PATH] = {};
    if (linkPath.size() >= MAX_PATH) return false;
    lstrcpynW(linkBuffer, Common::AsWide(linkPath), MAX_PATH);
    return SUCCEEDED(file.Get()->Save(linkBuffer, TRUE));
}

std::u16string SpecialFolderPath(int csidl, bool create) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, create ? TRUE : FALSE)) return {};
    return Common::FromWide(path);
}

}  // namespace Wizard
