// The mandatory integrity level a token carries, as the last part of its
// label's SID ("8192" for medium, "12288" for high), or "unknown" when the
// system does not tell. Shared by the product stub, which reports its own,
// and the tests of the launch that starts it.
#pragma once

#include <windows.h>

#include <string>

inline std::string IntegrityLevelOf(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0) return "unknown";
    std::string buffer(size, '\0');
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) return "unknown";
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const UCHAR count = *GetSidSubAuthorityCount(label->Label.Sid);
    if (count == 0) return "unknown";
    return std::to_string(*GetSidSubAuthority(label->Label.Sid, count - 1));
}
