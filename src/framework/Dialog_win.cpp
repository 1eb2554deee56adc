#include "framework/Dialog.h"

#include "framework/MessageBoundary.h"

namespace Framework {

Dialog::Dialog(int templateId, HMODULE module)
    : templateId_(templateId), module_(module ? module : GetModuleHandleW(nullptr)) {}

Dialog::~Dialog() {
    if (created_ && IsBound()) DestroyWindow(Handle());
}

bool Dialog::Create(HWND parent) {
    if (IsBound()) return false;
    HWND window = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId_), parent, &Dialog::DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    created_ = window != nullptr;
    if (!window) Unsubclass();
    return created_;
}

INT_PTR Dialog::DoModal(HWND owner) {
    ended_ = false;
    result_ = -1;
    if (!Create(owner)) {
        RethrowParkedException();
        return -1;
    }
    // Disabling the owner makes the dialog modal to it, as DialogBox does.
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    struct Restore {
        HWND owner;
        bool enable;
        Dialog& dialog;
        ~Restore() {
            dialog.modalRunning_ = false;
            // Enable before destroying, so the activation goes back to the owner.
            if (enable) EnableWindow(owner, TRUE);
            if (dialog.IsBound()) DestroyWindow(dialog.Handle());
        }
    } restore{owner, disableOwner, *this};

    RethrowParkedException();  // OnInitDialog failed
    if (!ended_) {
        ShowWindow(Handle(), SW_SHOWNORMAL);
        RunModalLoop();
    }
    return result_;
}

void Dialog::RunModalLoop() {
    modalRunning_ = true;
    MSG message{};
    while (!ended_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            result_ = -1;
            break;
        }
        if (!WalkPreTranslateTree(Handle(), message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        RethrowParkedException();
        if (!IsBound()) break;  // destroyed from inside
    }
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    // Wakes the loop when this runs on another path than a dispatched message.
    if (modalRunning_ && IsBound()) PostMessageW(Handle(), WM_NULL, 0, 0);
}

bool Dialog::PreTranslateMessage(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    return IsBound() && IsDialogMessageW(Handle(), &message);
}

bool Dialog::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        LRESULT result = 0;
        if (ReflectToChild(message, wParam, lParam, result)) return result;
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        return DefaultProc(message, wParam, lParam);
    }
    return Window::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    // Everything but WM_INITDIALOG reaches the object through its subclass;
    // here the system's dialog manager gets "not handled".
    if (message != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<Dialog*>(lParam);
    if (!self || !self->Subclass(window)) return TRUE;
    return CallAtBoundary<INT_PTR>(TRUE, [self] { return self->OnInitDialog(); });
}

}  // namespace Framework
