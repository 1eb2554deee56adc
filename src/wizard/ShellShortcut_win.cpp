#include "wizard/ShellShortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "common/WideText.h"

namespace Wizard {
namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComOwner = std::unique_ptr<T, ComRelease>;

}  // namespace

bool CreateShellShortcut(const std::u16string& linkPath, const std::u16string& targetPath) {
    wchar_t fullTarget[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(Common::AsWide(targetPath), MAX_PATH, fullTarget, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;

    IShellLinkW* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&rawLink))))
        return false;
    ComOwner<IShellLinkW> link(rawLink);
    if (FAILED(link->SetPath(fullTarget)) || FAILED(link->SetDescription(L""))) return false;

    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return false;
    ComOwner<IPersistFile> file(rawFile);
    wchar_t linkBuffer[MAX_PATH] = {};
    if (linkPath.size() >= MAX_PATH) return false;
    lstrcpynW(linkBuffer, Common::AsWide(linkPath), MAX_PATH);
    return SUCCEEDED(file->Save(linkBuffer, TRUE));
}

std::u16string SpecialFolderPath(int csidl, bool create) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, create ? TRUE : FALSE)) return {};
    return Common::FromWide(path);
}

}  // namespace Wizard
