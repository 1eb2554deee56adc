// Owners of GDI objects and device contexts, and scopes that borrow a device
// context or select an object into one and restore what was there before.
#pragma once

#include <windows.h>

#include "common/UniqueResource.h"

namespace Framework {

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle object) noexcept { DeleteObject(object); }
};
using UniqueBitmap = Common::UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueFont = Common::UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = Common::UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = Common::UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueRegion = Common::UniqueResource<GdiObjectTraits<HRGN>>;

// A memory device context (CreateCompatibleDC); deleted, never released.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle dc) noexcept { DeleteDC(dc); }
};
using UniqueMemoryDC = Common::UniqueResource<MemoryDcTraits>;

// An icon loaded with its own copy (not LR_SHARED).
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle icon) noexcept { DestroyIcon(icon); }
};
using UniqueIcon = Common::UniqueResource<IconTraits>;

// The device context of a window's whole client area, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint of one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    const RECT& UpdateRect() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object (font, bitmap, brush, pen) and puts the previous one back.
class SelectionScope {
public:
    SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectionScope() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the whole state of a device context (mode, colours, selections) and
// restores it on scope exit.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace Framework
