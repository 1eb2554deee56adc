// Draws the carousel's current feature text: bullets in front of the lines, a
// marker in front of the fourth line, the title in bold Arial 20 and the
// lines in Arial 13, all in pale blue over the carousel picture. The fonts,
// the brush and the pictures are made once and reused by every frame.
#pragma once

#include <windows.h>

#include "SkinImageIds.h"
#include "controls/CarouselText.h"
#include "controls/SmartBitmap.h"
#include "framework/GdiplusHandles.h"

class CarouselTextPainter {
public:
    static constexpr int kBulletImage = IDPNG_BULLET;
    static constexpr int kMarkerImage = IDPNG_CAROUSEL_MARKER;  // not among the skin images: never drawn
    static constexpr Gdiplus::ARGB kTextColor = 0xFFC4DCEB;

    CarouselTextPainter();

    void Draw(Gdiplus::GpGraphics* graphics, const Controls::AnimatedWndTextItem& item) const;

private:
    struct FontFamilyTraits {
        using Handle = Gdiplus::GpFontFamily*;
        static Handle Invalid() noexcept { return nullptr; }
        static void Close(Handle family) noexcept { Framework::Gdip::GdipDeleteFontFamily(family); }
    };
    struct FontTraits {
        using Handle = Gdiplus::GpFont*;
        static Handle Invalid() noexcept { return nullptr; }
        static void Close(Handle font) noexcept { Framework::Gdip::GdipDeleteFont(font); }
    };
    struct BrushTraits {
        using Handle = Gdiplus::GpSolidFill*;
        static Handle Invalid() noexcept { return nullptr; }
        static void Close(Handle brush) noexcept { Framework::Gdip::GdipDeleteBrush(brush); }
    };

    void DrawText(Gdiplus::GpGraphics* graphics, const std::u16string& text, Gdiplus::GpFont* font,
                  Controls::TextPoint at) const;

    // Declared first: the library must be up while the objects below live.
    Framework::GdiplusSession session_;
    Common::UniqueResource<FontFamilyTraits> family_;
    Common::UniqueResource<FontTraits> titleFont_;
    Common::UniqueResource<FontTraits> lineFont_;
    Common::UniqueResource<BrushTraits> brush_;
    SmartBitmap bullet_;
    SmartBitmap marker_;
};
