// A dialog built from a template of the program's resources, modeless (the
// wizard's pages) or modal. The modal form runs a message loop of its own
// instead of DialogBox, so that every message passes PreTranslateMessage of
// the windows it is for before it is dispatched (keyboard rules of the
// wizard), and so that an exception thrown by a handler comes out of DoModal.
#pragma once

#include <windows.h>

#include "framework/Window.h"

namespace Framework {

class Dialog : public Window {
public:
    // `templateId` names a DIALOG resource of `module` (null: the program).
    explicit Dialog(int templateId, HMODULE module = nullptr);
    // Destroys the dialog window if it still exists.
    ~Dialog() override;

    int TemplateId() const { return templateId_; }

    // Creates the dialog modelessly as a child or owned window of `parent`.
    // False when the template is missing or OnInitDialog failed to create it.
    bool Create(HWND parent);

    // Creates, shows and runs the dialog until EndDialog; disables `owner`
    // meanwhile. Returns the EndDialog result, or -1 when the dialog could
    // not be created. Rethrows what a message handler threw. A WM_QUIT that
    // arrives meanwhile ends the loop with -1 and is posted again.
    INT_PTR DoModal(HWND owner = nullptr);

    // Ends the modal loop with `result`; the window is destroyed by DoModal.
    void EndDialog(INT_PTR result);
    bool IsModalRunning() const { return modalRunning_; }

    // Dialog keyboard handling (Tab, arrows, Return, Escape) for the dialog
    // and its controls.
    bool PreTranslateMessage(MSG& message) override;

protected:
    // After the controls exist. Returns TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // IDOK and IDCANCEL commands (Return, Escape, the close box, Alt+F4).
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A WM_COMMAND for this dialog, controls included; true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunModalLoop();

    int templateId_;
    HMODULE module_;
    bool created_ = false;
    bool modalRunning_ = false;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

}  // namespace Framework
