#include "controls/DrawMarkupText.h"

#include <array>
#include <cwchar>
#include <string_view>

#include "common/WideText.h"
#include "controls/MarkupLayout.h"
#include "framework/GdiHandles.h"

namespace {

using Controls::MarkupColour;
using Controls::MarkupRect;

// Measures and draws with GDI; the fonts of the styles are made from the
// base font on first use and deleted when the surface goes.
class GdiMarkupSurface : public Controls::MarkupSurface {
public:
    explicit GdiMarkupSurface(HDC dc) : dc_(dc), baseFont_(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))) {
        GetObjectW(baseFont_, sizeof(base_), &base_);
    }

    int LineHeight() override {
        SIZE size{};
        GetTextExtentPoint32W(dc_, L"\u00C5y", 2, &size);
        return size.cy;
    }

    void SelectStyle(unsigned style) override { SelectObject(dc_, FontFor(style % Controls::MarkupStyle::kCount)); }

    int TextWidth(std::u16string_view text) override {
        SIZE size{};
        GetTextExtentPoint32W(dc_, Common::AsWide(text.data()), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    MarkupColour TextColour() override { return GetTextColor(dc_); }
    void SetTextColour(MarkupColour colour) override { SetTextColor(dc_, colour); }

    void DrawWord(std::u16string_view text, const MarkupRect& rect, std::uint32_t format) override {
        RECT area{rect.left, rect.top, rect.right, rect.bottom};
        DrawTextW(dc_, Common::AsWide(text.data()), static_cast<int>(text.size()), &area, format);
    }

private:
    HFONT FontFor(unsigned style) {
        if (style == 0) return baseFont_;
        if (!fonts_[style]) {
            LOGFONTW font = base_;
            font.lfWeight = (style & Controls::MarkupStyle::kBold) ? FW_BOLD : FW_NORMAL;
            font.lfItalic = (style & Controls::MarkupStyle::kItalic) ? TRUE : FALSE;
            font.lfUnderline = (style & Controls::MarkupStyle::kUnderline) ? TRUE : FALSE;
            if (style & (Controls::MarkupStyle::kSuperscript | Controls::MarkupStyle::kSubscript))
                font.lfHeight = font.lfHeight * 7 / 10;
            fonts_[style].Reset(CreateFontIndirectW(&font));
        }
        return fonts_[style] ? fonts_[style].Get() : baseFont_;
    }

    HDC dc_;
    HFONT baseFont_;
    LOGFONTW base_{};
    std::array<Framework::UniqueFont, Controls::MarkupStyle::kCount> fonts_;
};

}  // namespace

int DrawMarkupText(HDC dc, RECT* rect, const wchar_t* text, int length, UINT format) {
    if (!dc || !text) return 0;
    const std::size_t size = length < 0 ? std::wcslen(text) : static_cast<std::size_t>(length);
    const std::u16string_view markup(reinterpret_cast<const char16_t*>(text), size);

    MarkupRect area;
    if (rect) {
        area = {rect->left, rect->top, rect->right, rect->bottom};
    } else {
        POINT at{};
        GetCurrentPositionEx(dc, &at);
        area = {at.x, at.y, at.x + GetSystemMetrics(SM_CXSCREEN), at.y};
    }

    GdiMarkupSurface surface(dc);
    int aboveLastLine = 0;
    {
        // Restored before the surface deletes the fonts it selected.
        Framework::SavedDcState saved(dc);
        aboveLastLine = Controls::LayoutMarkup(surface, area, markup, format);
    }
    if (rect && (format & DT_CALCRECT)) *rect = {area.left, area.top, area.right, area.bottom};
    return aboveLastLine;
}
