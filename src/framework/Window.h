// A window object bound to an HWND: the base of every dialog, page and
// skinned control. Messages reach the object through one static procedure
// that calls the virtual WindowProc; derived classes switch on the message
// and call one small OnXxx member per case, the rest goes to DefaultProc.
//
// Binding is a subclass of the window (SetWindowSubclass), so controls that
// a dialog template created are taken over by id the same way as windows we
// create ourselves. A parent passes owner-draw, colour, notify, command and
// scroll messages of its children to the child's object first (reflection),
// so a control paints and answers for itself.
//
// A window is either taken over (Subclass: a template's control, a window
// someone else made) or made by the object itself (Create), when the object
// owns it.
//
// Teardown: on WM_NCDESTROY the subclass is removed and the object forgets
// its handle before OnFinalMessage runs. Destroying the object first removes
// the subclass (no message reaches the object after that) and then destroys
// a window the object made; a window it took over is left to its owner.
// Objects cannot be copied.
#pragma once

#include <windows.h>

#include "framework/WindowClass.h"
#include "framework/WindowHandle.h"

namespace Framework {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }
    bool IsBound() const { return handle_ != nullptr; }

    // The object bound to `window`, or null for a window we do not manage.
    static Window* FromHandle(HWND window);

    // Takes over an existing window of this thread. False when this object is
    // already bound, the window is null or bound to another object.
    bool Subclass(HWND window);
    // Takes over the child with `controlId` of `parent` (a dialog control).
    bool SubclassDlgItem(int controlId, HWND parent);
    // Gives the window back to its previous procedure.
    void Unsubclass();

    // Makes a window of `windowClass` and takes it over; it belongs to this
    // object from then on. A window that was made but could not be taken
    // over is destroyed again. False when this object is bound already or
    // no window could be made.
    bool Create(const WindowClass& windowClass, const WindowPlacement& placement);

    // Called by the modal loop for messages to this window or its children,
    // innermost window first; true stops the message there.
    virtual bool PreTranslateMessage(MSG& message);

    // Convenience over the bound window.
    int ControlId() const { return handle_ ? GetDlgCtrlID(handle_) : 0; }
    HWND Item(int controlId) const { return handle_ ? GetDlgItem(handle_, controlId) : nullptr; }
    void Invalidate(bool erase = true) const;
    RECT ClientRect() const;
    // The window rectangle in the parent's client coordinates.
    RECT RectInParent() const;

protected:
    // The message map of the class. The base version offers the message to
    // the child it concerns (reflection) and then to DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's procedure as it was before this object took it over.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A message the parent received about this control: WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR*, WM_NOTIFY, WM_COMMAND, WM_HSCROLL,
    // WM_VSCROLL. Returns true with `result` set when handled.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Right after the object took the window over.
    virtual void OnSubclassed() {}
    // After WM_NCDESTROY, when the handle is already gone.
    virtual void OnFinalMessage() {}

    // Offers a parent's message to the child object it concerns.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR object);

    HWND handle_ = nullptr;
    // The window this object made (Create), destroyed with the object.
    UniqueWindow owned_;
};

// Walks from the message's window up to `stop` (inclusive) and offers the
// message to each bound object's PreTranslateMessage.
bool WalkPreTranslateTree(HWND stop, MSG& message);

}  // namespace Framework
