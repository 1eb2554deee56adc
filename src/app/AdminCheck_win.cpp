#include "app/AdminCheck.h"

#include <windows.h>

#include <vector>

#include "common/WinHandles.h"

namespace {

Common::UniqueHandle OpenQueryToken() {
    Common::UniqueHandle token;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, token.Put())) return token;
    if (GetLastError() == ERROR_NO_TOKEN) OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put());
    return token;
}

}  // namespace

bool IsUserAdministrator() {
    const Common::UniqueHandle token = OpenQueryToken();
    if (!token) return false;

    DWORD size = 0;
    if (GetTokenInformation(token.Get(), TokenGroups, nullptr, 0, &size) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return false;
    }
    Common::UniqueGlobal buffer(GlobalAlloc(GMEM_FIXED, size));
    if (!buffer || !GetTokenInformation(token.Get(), TokenGroups, buffer.Get(), size, &size)) return false;

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    Common::UniqueSid administrators;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, administrators.Put())) {
        return false;
    }
    const auto* groups = static_cast<const TOKEN_GROUPS*>(buffer.Get());
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (EqualSid(groups->Groups[i].Sid, administrators.Get())) return true;
    }
    return false;
}
