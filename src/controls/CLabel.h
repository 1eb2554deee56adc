// The static text of the wizard's pages: a template static control that draws
// its text in a font and colour of its own, transparently over the page
// picture. Whenever the text or the look changes, the label and the part of
// its parent under it are repainted, so no trace of the previous text stays.
#pragma once

#include <windows.h>

#include <string>

#include "controls/LabelLook.h"
#include "framework/GdiHandles.h"
#include "framework/Window.h"

class CLabel : public Framework::Window {
public:
    CLabel() = default;

    // Each setter returns the label so that calls chain, and repaints.
    virtual CLabel& SetText(const std::u16string& text);
    virtual CLabel& SetTextColor(COLORREF color);
    virtual CLabel& SetFontBold(bool bold);
    // At most 31 characters of the face name are kept.
    virtual CLabel& SetFontName(const std::u16string& face, BYTE charSet = ANSI_CHARSET);
    virtual CLabel& SetFontSize(int height);
    virtual CLabel& SetTransparent(bool transparent);

    COLORREF TextColor() const { return textColor_; }
    bool IsTransparent() const { return transparent_; }
    const LOGFONTW& FontDescription() const { return fontDescription_; }

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint();
    LRESULT OnSysColorChange();
    void PaintText(HDC dc, const RECT& client);
    void RebuildFont();
    void RepaintWithParent();

    LOGFONTW fontDescription_{};
    Framework::UniqueFont font_;
    COLORREF textColor_ = GetSysColor(COLOR_WINDOWTEXT);
    bool transparent_ = false;
    Framework::UniqueBrush background_{CreateSolidBrush(GetSysColor(COLOR_BTNFACE))};
};

// Gives a label one of the two looks of the wizard: transparent, "Arial",
// and the preset's height, weight and colour.
void ApplyLabelStyle(CLabel& label, Controls::LabelPreset preset);
