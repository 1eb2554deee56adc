// Drives the installer's windows for end-to-end tests, the way a user would
// see them: by window title and control id. Controls are found anywhere in
// the window (the wizard's pages are child dialogs); where several share an
// id, the visible one wins. Prints results on stdout; exits 0 on success, 1
// when the window or control is not there (or not usable), 2 on bad usage.
//
// A TITLE of the form "popup:OWNER" names the visible window that the window
// titled OWNER owns (a modal dialog without a title, such as the exit dialog).
//
//   testdriver wait-window TITLE SECONDS     wait until a visible window has TITLE
//   testdriver count-windows TITLE           number of visible top-level windows with TITLE
//   testdriver count-processes FILE_NAME     number of running processes of that program file
//                                            ("Corvane 2013.exe"), windows or not
//   testdriver wait-gone TITLE SECONDS       wait until no such window is left
//   testdriver answers TITLE MILLISECONDS    whether the window's thread handles a message
//                                            within that time; prints how long it took
//   testdriver text TITLE [CONTROL_ID]       the window's (or control's) text
//   testdriver click TITLE CONTROL_ID        tell the control's parent it was clicked
//   testdriver close TITLE                   ask the window to close
//   testdriver page TITLE                    id of the visible page (child dialog)
//   testdriver wait-page TITLE PAGE_ID SECONDS   wait until that page is the visible one
//   testdriver check TITLE CONTROL_ID        1 when the check box is checked, else 0
//   testdriver visible TITLE CONTROL_ID      1 when the control and its parents are visible, else 0
//   testdriver enabled TITLE CONTROL_ID      1 when the control is enabled, else 0
//   testdriver rect TITLE [CONTROL_ID]       "x y width height": the control in the
//                                            window's client area, or the window on screen
//   testdriver press TITLE CONTROL_ID        a real mouse click in the middle of the
//                                            control (fails when hidden or disabled);
//                                            returns after the double-click time
//   testdriver press-reporting TITLE CONTROL_ID   the same, printing "clicked" the
//                                            moment the button is released
//   testdriver hover TITLE CONTROL_ID        moves the mouse pointer over the control
//   testdriver key TITLE KEY                 a real key press in the window: RETURN,
//                                            ESCAPE, TAB, SPACE or ALT+F4
//   testdriver send TITLE MESSAGE WPARAM     sends a message to the window, prints the result
//   testdriver controls TITLE                one line per visible control: id class x y w h text
//   testdriver set-text TITLE CONTROL_ID TEXT    replaces the control's text (WM_SETTEXT)
//   testdriver class-text TITLE CLASS        the text of the first visible control of that class
//   testdriver list TITLE                    the component list: one line per item,
//                                            "id checked user-value top height"
//   testdriver list-press TITLE ITEM_ID      a real click on the item's check box
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/WinHandles.h"

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

std::vector<HWND> FindTitledWindows(const std::wstring& title) {
    Search search{title, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct OwnedSearch {
    std::vector<HWND> owners;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<OwnedSearch*>(context);
    const HWND owner = GetWindow(window, GW_OWNER);
    for (HWND candidate : search->owners)
        if (owner == candidate && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

constexpr wchar_t kPopupPrefix[] = L"popup:";

std::vector<HWND> FindWindows(const std::wstring& title) {
    const std::wstring prefix = kPopupPrefix;
    if (title.compare(0, prefix.size(), prefix) != 0) return FindTitledWindows(title);
    OwnedSearch search{FindTitledWindows(title.substr(prefix.size())), {}};
    if (!search.owners.empty()) EnumWindows(CollectOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ULONGLONG Deadline(const wchar_t* seconds, double fallback) {
    return GetTickCount64() + static_cast<ULONGLONG>((seconds ? _wtof(seconds) : fallback) * 1000);
}

HWND WaitForWindow(const std::wstring& title, ULONGLONG deadline) {
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

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

// The control with `id` anywhere in `window`; a visible one before a hidden one.
HWND FindControl(HWND window, int id) {
    HWND hidden = nullptr;
    for (HWND child : Descendants(window)) {
        if (GetDlgCtrlID(child) != id) continue;
        if (IsWindowVisible(child)) return child;
        if (!hidden) hidden = child;
    }
    return hidden;
}

// The visible child dialog of the wizard: its id is the page id.
HWND VisiblePage(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        if (IsWindowVisible(child) && std::wcscmp(className, L"#32770") == 0) return child;
    }
    return nullptr;
}

// The first visible descendant of a window class.
HWND FindByClass(HWND window, const std::wstring& wanted) {
    for (HWND child : Descendants(window)) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        if (IsWindowVisible(child) && wanted == className) return child;
    }
    return nullptr;
}

// The component list's answers (messages of the list, plain numbers).
constexpr UINT kListCount = WM_USER + 200, kListUserValue = WM_USER + 201, kListCheck = WM_USER + 202,
               kListItemTop = WM_USER + 203, kListItemHeight = WM_USER + 204;

RECT RectInClient(HWND window, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PrintRect(const RECT& rect) {
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(input));
}

// Whether the window's thread gets to its messages within the time: WM_NULL
// does nothing, but a sent message is answered only once the thread reads
// its queue again.
bool AnswersWithin(HWND window, UINT milliseconds) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, milliseconds, &ignored) != 0;
}

// The window's thread may still be busy (the wizard makes its later pages
// after it shows); input given before a sent message is read right after it.
void WaitUntilReadingInput(HWND window) { AnswersWithin(window, 10000); }

void MoveMouseOver(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
    SetCursorPos(x, y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    WaitUntilReadingInput(GetAncestor(control, GA_ROOT));
    Sleep(100);
}

void SendKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

unsigned CountProcesses(const std::wstring& fileName) {
    // A failed snapshot is INVALID_HANDLE_VALUE, as a failed file handle is.
    const Common::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    unsigned count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = snapshot && Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, fileName.c_str()) == 0) ++count;
    }
    return count;
}

bool KeysOf(const std::wstring& name, std::vector<WORD>& keys) {
    if (name == L"RETURN") keys = {VK_RETURN};
    else if (name == L"ESCAPE") keys = {VK_ESCAPE};
    else if (name == L"TAB") keys = {VK_TAB};
    else if (name == L"SPACE") keys = {VK_SPACE};
    else if (name == L"ALT+F4") keys = {VK_MENU, VK_F4};
    else return false;
    return true;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: testdriver wait-window|count-windows|count-processes|wait-gone|answers|text|click|close|page|"
                 "wait-page|check|"
                 "visible|enabled|rect|press|press-reporting|hover|key|send|controls|set-text|class-text|list|list-press "
                 "TITLE [ARG...]\n");
    return 2;
}

int Missing(const char* what) {
    std::fprintf(stderr, "testdriver: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    const std::wstring command = argv[1];
    const std::wstring title = argv[2];
    const wchar_t* argument = argc > 3 ? argv[3] : nullptr;
    const wchar_t* second = argc > 4 ? argv[4] : nullptr;

    if (command == L"count-windows") {
        std::printf("%u\n", static_cast<unsigned>(FindWindows(title).size()));
        return 0;
    }
    if (command == L"count-processes") {
        std::printf("%u\n", CountProcesses(title));
        return 0;
    }
    if (command == L"wait-gone") {
        const ULONGLONG deadline = Deadline(argument, 10);
        while (!FindWindows(title).empty()) {
            if (GetTickCount64() >= deadline) return 1;
            Sleep(100);
        }
        return 0;
    }

    const bool waits = command == L"wait-window";
    HWND window = WaitForWindow(title, Deadline(waits ? argument : nullptr, 5));
    if (!window) return Missing("no window titled as asked");
    if (waits) return 0;

    if (command == L"close") {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (command == L"page") {
        HWND page = VisiblePage(window);
        std::printf("%d\n", page ? GetDlgCtrlID(page) : 0);
        return 0;
    }
    if (command == L"wait-page" && argument) {
        const int wanted = _wtoi(argument);
        const ULONGLONG deadline = Deadline(second, 10);
        for (;;) {
            HWND page = VisiblePage(window);
            if (page && GetDlgCtrlID(page) == wanted) return 0;
            if (GetTickCount64() >= deadline) {
                std::printf("%d\n", page ? GetDlgCtrlID(page) : 0);
                return 1;
            }
            Sleep(100);
        }
    }
    if (command == L"key" && argument) {
        std::vector<WORD> keys;
        if (!KeysOf(argument, keys)) return Usage();
        SetForegroundWindow(window);
        Sleep(100);
        SendKeys(keys);
        WaitUntilReadingInput(window);
        Sleep(200);
        return 0;
    }
    if (command == L"answers" && argument) {
        const ULONGLONG start = GetTickCount64();
        const bool answered = AnswersWithin(window, static_cast<UINT>(_wtoi(argument)));
        std::printf("%llu\n", GetTickCount64() - start);
        return answered ? 0 : 1;
    }
    if (command == L"send" && argument) {
        const LRESULT result = SendMessageW(window, static_cast<UINT>(_wtoi(argument)),
                                            static_cast<WPARAM>(second ? _wtoi(second) : 0), 0);
        std::printf("%ld\n", static_cast<long>(result));
        return 0;
    }
    if (command == L"controls") {
        for (HWND child : Descendants(window)) {
            if (!IsWindowVisible(child)) continue;
            wchar_t className[64] = {};
            GetClassNameW(child, className, 64);
            const RECT rect = RectInClient(window, child);
            wchar_t line[128];
            swprintf(line, 128, L"%d %ls %ld %ld %ld %ld ", GetDlgCtrlID(child), className, rect.left, rect.top,
                     rect.right - rect.left, rect.bottom - rect.top);
            PrintUtf8(line + WindowText(child));
        }
        return 0;
    }
    if (command == L"rect" && !argument) {
        RECT rect{};
        GetWindowRect(window, &rect);
        PrintRect(rect);
        return 0;
    }

    if (command == L"class-text" && argument) {
        HWND control = FindByClass(window, argument);
        if (!control) return Missing("no visible control of that class");
        // Asked of the control itself: for another process's window the
        // system answers with the stored caption, which a rich edit box lacks.
        const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        PrintUtf8(text);
        return 0;
    }
    if (command == L"list" || (command == L"list-press" && argument)) {
        HWND list = FindByClass(window, L"CHTMLListCtrl");
        if (!list) return Missing("no visible component list");
        if (command == L"list") {
            const int count = static_cast<int>(SendMessageW(list, kListCount, 0, 0));
            for (int id = 0; id < count; ++id)
                std::printf("%d %ld %ld %ld %ld\n", id, static_cast<long>(SendMessageW(list, kListCheck, id, 0)),
                            static_cast<long>(SendMessageW(list, kListUserValue, id, 0)),
                            static_cast<long>(SendMessageW(list, kListItemTop, id, 0)),
                            static_cast<long>(SendMessageW(list, kListItemHeight, id, 0)));
            return 0;
        }
        const int id = _wtoi(argument);
        const LRESULT height = SendMessageW(list, kListItemHeight, id, 0);
        if (height < 0) return Missing("no such item");
        POINT box{10, static_cast<LONG>(SendMessageW(list, kListItemTop, id, 0) + height / 2)};
        ClientToScreen(list, &box);
        SetForegroundWindow(window);
        SetCursorPos(box.x, box.y);
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, box.x, box.y);
        Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        Sleep(50);
        SendMouse(MOUSEEVENTF_LEFTUP);
        Sleep(GetDoubleClickTime() + 100);
        return 0;
    }

    HWND control = argument ? FindControl(window, _wtoi(argument)) : window;
    if (!control) return Missing("no control with that id");
    if (command == L"text") {
        PrintUtf8(WindowText(control));
        return 0;
    }
    if (!argument) return Usage();
    if (command == L"click") {
        PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(_wtoi(argument), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
        return 0;
    }
    if (command == L"set-text" && second) {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(second));
        // Transparent texts leave the old one behind until the parent repaints.
        RedrawWindow(GetParent(control), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    }
    if (command == L"check") {
        std::printf("%d\n", SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (command == L"visible") {
        std::printf("%d\n", IsWindowVisible(control) ? 1 : 0);
        return 0;
    }
    if (command == L"enabled") {
        std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
        return 0;
    }
    if (command == L"rect") {
        PrintRect(RectInClient(window, control));
        return 0;
    }
    if (command == L"hover" || command == L"press" || command == L"press-reporting") {
        const bool press = command != L"hover";
        if (!IsWindowVisible(control)) return Missing("the control is hidden");
        if (press && !IsWindowEnabled(control)) return Missing("the control is disabled");
        SetForegroundWindow(window);
        MoveMouseOver(control);
        if (press) {
            SendMouse(MOUSEEVENTF_LEFTDOWN);
            Sleep(50);
            SendMouse(MOUSEEVENTF_LEFTUP);
            if (command == L"press-reporting") {
                // The moment of the click, for a caller timing what follows it.
                std::printf("clicked\n");
                std::fflush(stdout);
            }
            // The next press, maybe on a button at the same place, must be a
            // click of its own and not the second half of a double click.
            Sleep(GetDoubleClickTime() + 100);
        }
        return 0;
    }
    return Usage();
}
