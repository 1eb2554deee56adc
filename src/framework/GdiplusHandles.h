// Owners of the graphics library's objects (GDI+ flat interface) and of one
// start-up of the library. Start-ups nest: the library stays up while any
// session lives, and every object must be freed before its session ends.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include "common/UniqueResource.h"

namespace Framework {

namespace Gdip = Gdiplus::DllExports;

struct GdipGraphicsTraits {
    using Handle = Gdiplus::GpGraphics*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle graphics) noexcept { Gdip::GdipDeleteGraphics(graphics); }
};
struct GdipImageTraits {
    using Handle = Gdiplus::GpBitmap*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle image) noexcept { Gdip::GdipDisposeImage(image); }
};
struct GdipAttributesTraits {
    using Handle = Gdiplus::GpImageAttributes*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle attributes) noexcept { Gdip::GdipDisposeImageAttributes(attributes); }
};
struct GdipTextureTraits {
    using Handle = Gdiplus::GpTexture*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle brush) noexcept { Gdip::GdipDeleteBrush(brush); }
};
using UniqueGraphics = Common::UniqueResource<GdipGraphicsTraits>;
using UniqueGdipBitmap = Common::UniqueResource<GdipImageTraits>;
using UniqueImageAttributes = Common::UniqueResource<GdipAttributesTraits>;
using UniqueTexture = Common::UniqueResource<GdipTextureTraits>;

// One start-up of the graphics library (version 1, default options).
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// A graphics object drawing on a device context.
inline UniqueGraphics GraphicsFor(HDC dc) {
    UniqueGraphics graphics;
    if (dc) Gdip::GdipCreateFromHDC(dc, graphics.Put());
    return graphics;
}

}  // namespace Framework
