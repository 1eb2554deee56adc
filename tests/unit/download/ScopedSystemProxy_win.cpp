#include "ScopedSystemProxy.h"

#include <windows.h>

#include "common/AnsiText.h"
#include "common/Registry.h"

namespace {

const std::u16string kSettings = u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::u16string kEnable = u"ProxyEnable";
const std::u16string kServer = u"ProxyServer";
constexpr DWORD kMissing = 0xFFFFFFFF;

}  // namespace

using namespace Common::Registry;

ScopedSystemProxy::ScopedSystemProxy(const std::string& proxy) {
    if (ValueType(HKEY_CURRENT_USER, kSettings, kEnable, kMissing) == REG_DWORD) {
        oldEnable_ = ReadDword(HKEY_CURRENT_USER, kSettings, kEnable);
    }
    if (ValueType(HKEY_CURRENT_USER, kSettings, kServer, kMissing) == REG_SZ) {
        std::u16string old;
        ReadString(HKEY_CURRENT_USER, kSettings, kServer, old);
        oldServer_ = Common::ToAnsi(old);
    }
    WriteString(HKEY_CURRENT_USER, kSettings, kServer, Common::FromAnsi(proxy));
    WriteDword(HKEY_CURRENT_USER, kSettings, kEnable, 1);
}

ScopedSystemProxy::~ScopedSystemProxy() {
    try {
        if (oldEnable_) {
            WriteDword(HKEY_CURRENT_USER, kSettings, kEnable, *oldEnable_);
        } else {
            DeleteValue(HKEY_CURRENT_USER, kSettings, kEnable);
        }
        if (oldServer_) {
            WriteString(HKEY_CURRENT_USER, kSettings, kServer, Common::FromAnsi(*oldServer_));
        } else {
            DeleteValue(HKEY_CURRENT_USER, kSettings, kServer);
        }
    } catch (const Common::WinEx&) {
        // best effort: the prefix is private to the test run
    }
}
