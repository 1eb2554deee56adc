// The main dialog shell: the fixed-size wizard window. Pages follow with the
// window framework.
#include "wizard/MainDialog.h"

#include "resource.h"

namespace {

constexpr int kWizardWidth = 800;
constexpr int kWizardHeight = 547;

void SetClientSize(HWND dialog, int width, int height) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterOnScreen(HWND dialog) {
    RECT window{};
    GetWindowRect(dialog, &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
    const int y = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetClientSize(dialog, kWizardWidth, kWizardHeight);
            CenterOnScreen(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR RunMainDialog(HINSTANCE instance) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CORVANEINSTALLER_DIALOG), nullptr, MainDialogProc, 0);
}
