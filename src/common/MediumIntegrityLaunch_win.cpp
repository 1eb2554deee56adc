#include "common/MediumIntegrityLaunch.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace Common {
namespace {

constexpr DWORD kTokenAccess = TOKEN_DUPLICATE | TOKEN_ADJUST_DEFAULT | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY;
constexpr wchar_t kMediumIntegritySid[] = L"S-1-16-8192";

}  // namespace

UniqueHandle MediumIntegrityToken(std::string& failedStep) {
    UniqueHandle processToken;
    if (!OpenProcessToken(GetCurrentProcess(), kTokenAccess, processToken.Put())) {
        failedStep = "OpenProcessToken failed";
        return {};
    }

    UniqueHandle token;
    if (!DuplicateTokenEx(processToken.Get(), kTokenAccess, nullptr, SecurityImpersonation, TokenPrimary,
                          token.Put())) {
        failedStep = "DuplicateTokenEx failed";
        return {};
    }

    PSID sid = nullptr;
    if (!ConvertStringSidToSidW(kMediumIntegritySid, &sid)) {
        failedStep = "ConvertStringSidToSid failed";
        return {};
    }
    const UniqueLocal sidOwner(sid);  // this SID comes from LocalAlloc, not from AllocateAndInitializeSid

    TOKEN_MANDATORY_LABEL label{};
    label.Label.Attributes = SE_GROUP_INTEGRITY;
    label.Label.Sid = sid;
    if (!SetTokenInformation(token.Get(), TokenIntegrityLevel, &label,
                             static_cast<DWORD>(sizeof(label) + GetLengthSid(sid)))) {
        failedStep = "SetTokenInformation failed";
        return {};
    }
    return token;
}

std::string LaunchAtMediumIntegrity(const std::string& commandLine) {
    std::string failedStep;
    const UniqueHandle token = MediumIntegrityToken(failedStep);
    if (!token) return failedStep;

    // CreateProcess may write into the command line, so it gets a copy.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessAsUserA(token.Get(), nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process)) {
        return "CreateProcessAsUserA failed";
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return "Success";
}

}  // namespace Common
