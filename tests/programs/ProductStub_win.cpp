// "Corvane 2013.exe", the product program that the test packages install:
// it shows its name and the version its resources carry. Started with
// "/report FILE" it writes what it knows about itself to FILE instead (UTF-8
// lines NAME=, VERSION=, INTEGRITY=) and ends, for tests that start it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "common/OwnProductVersion.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "TokenIntegrity.h"

namespace {

constexpr wchar_t kProductName[] = L"Corvane 2013";

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 1 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

// The mandatory integrity level of this process.
std::string IntegrityLevel() {
    Common::UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return "unknown";
    return IntegrityLevelOf(token.Get());
}

int WriteReport(const wchar_t* path, const std::wstring& version) {
    FILE* file = _wfopen(path, L"wb");
    if (file == nullptr) return 1;
    std::fprintf(file, "NAME=%s\nVERSION=%s\nINTEGRITY=%s\n", Utf8(kProductName).c_str(), Utf8(version).c_str(),
                 IntegrityLevel().c_str());
    return std::fclose(file) == 0 ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const std::wstring version = Common::AsWide(Common::OwnProductVersion());
    int count = 0;
    Common::UniqueLocal argumentsOwner;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    argumentsOwner.Reset(arguments);
    if (arguments != nullptr && count == 3 && std::wstring(arguments[1]) == L"/report") {
        return WriteReport(arguments[2], version);
    }
    const std::wstring text = std::wstring(kProductName) + L" " + version;
    MessageBoxW(nullptr, text.c_str(), kProductName, MB_OK | MB_ICONINFORMATION);
    return 0;
}
