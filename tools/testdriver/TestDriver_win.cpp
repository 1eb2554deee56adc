// Drives the installer's windows for end-to-end tests, the way a user would
// see them: by window title and control id. Prints results on stdout; exits
// 0 on success, 1 when the window or control is not there, 2 on bad usage.
//
//   testdriver wait-window TITLE SECONDS     wait until a visible window has TITLE
//   testdriver count-windows TITLE           number of visible top-level windows with TITLE
//   testdriver wait-gone TITLE SECONDS       wait until no such window is left
//   testdriver text TITLE [CONTROL_ID]       the window's (or control's) text
//   testdriver click TITLE CONTROL_ID        press a button
//   testdriver close TITLE                   ask the window to close
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    std::wstring title;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    if (IsWindowVisible(window) && search->title == text) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindWindows(const std::wstring& title) {
    Search search{title, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::wstring& title, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    do {
        const auto windows = FindWindows(title);
        if (!windows.empty()) return windows.front();
        Sleep(100);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    std::printf("%s\n", narrow.c_str());
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(length);
    return text;
}

int Usage() {
    std::fprintf(stderr, "usage: testdriver wait-window|count-windows|wait-gone|text|click|close TITLE [ARG]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    const std::wstring command = argv[1];
    const std::wstring title = argv[2];
    const wchar_t* argument = argc > 3 ? argv[3] : nullptr;

    if (command == L"count-windows") {
        std::printf("%u\n", static_cast<unsigned>(FindWindows(title).size()));
        return 0;
    }
    if (command == L"wait-gone") {
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>((argument ? _wtof(argument) : 10) * 1000);
        while (!FindWindows(title).empty()) {
            if (GetTickCount64() >= deadline) return 1;
            Sleep(100);
        }
        return 0;
    }

    HWND window = WaitForWindow(title, command == L"wait-window" && argument ? _wtof(argument) : 5);
    if (!window) {
        std::fprintf(stderr, "testdriver: no window titled as asked\n");
        return 1;
    }
    if (command == L"wait-window") return 0;
    if (command == L"close") {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    HWND control = argument ? GetDlgItem(window, _wtoi(argument)) : window;
    if (!control) {
        std::fprintf(stderr, "testdriver: no control with that id\n");
        return 1;
    }
    if (command == L"text") {
        PrintUtf8(WindowText(control));
        return 0;
    }
    if (command == L"click" && argument) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(_wtoi(argument), BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return 0;
    }
    return Usage();
}
