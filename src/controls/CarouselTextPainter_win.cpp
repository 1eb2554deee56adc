#include "controls/CarouselTextPainter.h"

#include "common/WideText.h"

namespace {

// The family of `face`, or, when the system has no face of that name (a bare
// Wine prefix has no Arial), of the face GDI substitutes for it, so that the
// texts show in a look-alike rather than not at all.
void FindFontFamily(const wchar_t* face, Gdiplus::GpFontFamily** family) {
    namespace Gdip = Framework::Gdip;
    if (Gdip::GdipCreateFontFamilyFromName(face, nullptr, family) == Gdiplus::Ok) return;
    LOGFONTW description{};
    description.lfHeight = -13;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    Gdiplus::GpFont* substitute = nullptr;
    if (Gdip::GdipCreateFontFromLogfontW(screen, &description, &substitute) == Gdiplus::Ok) {
        Gdip::GdipGetFamily(substitute, family);
        Gdip::GdipDeleteFont(substitute);
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace

CarouselTextPainter::CarouselTextPainter() {
    namespace Gdip = Framework::Gdip;
    FindFontFamily(L"Arial", family_.Put());
    if (family_) {
        Gdip::GdipCreateFont(family_.Get(), 20.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPixel, titleFont_.Put());
        Gdip::GdipCreateFont(family_.Get(), 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, lineFont_.Put());
    }
    Gdip::GdipCreateSolidFill(kTextColor, brush_.Put());
    bullet_.LoadFromResource(kBulletImage);
    marker_.LoadFromResource(kMarkerImage);
}

void CarouselTextPainter::Draw(Gdiplus::GpGraphics* graphics, const Controls::AnimatedWndTextItem& item) const {
    if (!graphics) return;
    const Controls::CarouselTextLayout layout = Controls::LayOutTextItem(item);
    for (const Controls::TextPoint& at : layout.bullets) bullet_.Draw(graphics, at.x, at.y);
    if (layout.hasMarker) marker_.Draw(graphics, layout.marker.x, layout.marker.y);

    Gdiplus::TextRenderingHint saved = Gdiplus::TextRenderingHintSystemDefault;
    Framework::Gdip::GdipGetTextRenderingHint(graphics, &saved);
    Framework::Gdip::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintClearTypeGridFit);
    DrawText(graphics, item.title, titleFont_.Get(), layout.title);
    for (std::size_t line = 0; line < item.lines.size(); ++line)
        DrawText(graphics, item.lines[line], lineFont_.Get(), layout.lines[line]);
    Framework::Gdip::GdipSetTextRenderingHint(graphics, saved);
}

void CarouselTextPainter::DrawText(Gdiplus::GpGraphics* graphics, const std::u16string& text, Gdiplus::GpFont* font,
                                   Controls::TextPoint at) const {
    if (text.empty() || !font || !brush_) return;
    // At a point: an empty layout box neither wraps nor clips.
    const Gdiplus::RectF origin(static_cast<Gdiplus::REAL>(at.x), static_cast<Gdiplus::REAL>(at.y), 0, 0);
    Framework::Gdip::GdipDrawString(graphics, Common::AsWide(text), static_cast<INT>(text.size()), font, &origin,
                                    nullptr, brush_.Get());
}
