// The push button of every wizard page and dialog: a template button switched
// to owner drawing and painted from three PNG images (normal, hover, pressed)
// over the slice of the window background that lies under it, with a bold
// anti-aliased caption whose colour follows the state. It tells its parent
// when the pointer starts hovering over it (WM_COMMAND with the code
// kHoverNotification), which the welcome page uses to preview a language.
#pragma once

#include <windows.h>

#include <string>

#include "controls/SmartBitmap.h"
#include "framework/GdiHandles.h"
#include "framework/GdiplusHandles.h"
#include "framework/Window.h"

class PngButton : public Framework::Window {
public:
    // The notification code of the hover message (the value of WM_MOUSEHOVER).
    static constexpr WORD kHoverNotification = 0x02A1;

    PngButton();

    // Loads the three state images by PNG id (each load empties its image
    // first), shows the normal one, remembers the window whose client area
    // the background image covers, and sizes the button to the normal image
    // in place. True only when all three loaded.
    bool SetImages(int normalId, int hoverId, int pressedId, HWND referenceWindow);
    // The window background the button sits on (default PNG 1229).
    void SetBackgroundImage(int id);

    // Caption colours for the normal, hovering and disabled states.
    void SetTextColors(COLORREF normal, COLORREF hover, COLORREF disabled);
    void SetTextOffset(int x, int y);
    void SetTextFormat(UINT format) { textFormat_ = format; }
    // Entering the button also repaints the parent's area under it.
    void SetRepaintParent(bool repaint) { repaintParent_ = repaint; }

    bool IsHovering() const { return hovering_; }
    // The image being shown, null before SetImages.
    const SmartBitmap* CurrentImage() const { return current_; }
    const SmartBitmap& NormalImage() const { return normal_; }
    const SmartBitmap& HoverImage() const { return hover_; }
    const SmartBitmap& PressedImage() const { return pressed_; }

    // Paints the button as the owner-draw callback does, onto `dc`.
    void DrawItem(const DRAWITEMSTRUCT& item);

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave();
    LRESULT OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonUp(WPARAM wParam, LPARAM lParam);
    void ShowImage(const SmartBitmap& image, bool erase);
    void DrawCaption(HDC dc, const DRAWITEMSTRUCT& item);

    SmartBitmap normal_;
    SmartBitmap hover_;
    SmartBitmap pressed_;
    const SmartBitmap* current_ = nullptr;
    bool hovering_ = false;
    UINT textFormat_ = DT_CENTER;
    LOGFONTW fontDescription_{};
    HFONT CaptionFont(const std::wstring& text);

    Framework::UniqueFont font_;
    Framework::UniqueFont japaneseFont_;  // made when a caption needs it
    int textOffsetX_ = 0;
    int textOffsetY_ = 0;
    bool repaintParent_ = false;
    COLORREF disabledColor_ = RGB(81, 94, 105);
    COLORREF normalColor_ = RGB(4, 112, 203);
    COLORREF hoverColor_ = RGB(127, 193, 249);
    // The part of the window-sized picture that lies under the button, cut
    // out when the button is first drawn (and again if it moves): most
    // buttons sit on pages that are never shown, and a whole decoded picture
    // kept by each button would cost as much memory as the window.
    struct BackgroundSlice {
        int id = 0;
        POINT origin{};  // of the button in the picture
        SIZE size{};
        POINT drawAt{};  // where the slice goes in the button
        Framework::UniqueGdipBitmap bitmap;
    };
    const BackgroundSlice& SliceUnder(POINT origin, SIZE size);
    BackgroundSlice slice_;
    int backgroundId_ = 0;
    HWND reference_ = nullptr;
};
