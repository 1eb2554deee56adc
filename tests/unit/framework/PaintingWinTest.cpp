// The off-screen canvas and the graphics library session.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/GdiHandles.h"
#include "framework/GdiplusHandles.h"
#include "framework/OffscreenCanvas.h"

namespace {

using Framework::OffscreenCanvas;

TEST(OffscreenCanvas, CopiesWhatWasDrawnInOneOperation) {
    Framework::UniqueMemoryDC screenLike(CreateCompatibleDC(nullptr));
    HDC screen = GetDC(nullptr);
    Framework::UniqueBitmap targetBitmap(CreateCompatibleBitmap(screen, 20, 20));
    ReleaseDC(nullptr, screen);
    Framework::SelectionScope selected(screenLike.Get(), targetBitmap.Get());

    HDC screenDc = GetDC(nullptr);
    OffscreenCanvas canvas(screenDc, 10, 10);
    ReleaseDC(nullptr, screenDc);
    ASSERT_TRUE(canvas.IsValid());
    Framework::UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT all{0, 0, 10, 10};
    FillRect(canvas.Dc(), &all, red.Get());
    SIZE recorded{};
    GetBitmapDimensionEx(canvas.Bitmap(), &recorded);
    EXPECT_EQ(recorded.cx, 10);

    canvas.CopyTo(screenLike.Get(), 5, 5);
    EXPECT_EQ(GetPixel(screenLike.Get(), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screenLike.Get(), 14, 14), RGB(255, 0, 0));
    EXPECT_NE(GetPixel(screenLike.Get(), 15, 15), RGB(255, 0, 0));
}

TEST(OffscreenCanvas, EmptySizeDrawsNothing) {
    HDC screen = GetDC(nullptr);
    OffscreenCanvas canvas(screen, 0, 10);
    EXPECT_FALSE(canvas.IsValid());
    canvas.CopyTo(screen);  // no effect, no failure
    ReleaseDC(nullptr, screen);
}

TEST(GdiplusSession, SessionsNestAndObjectsWorkWhileOneLives) {
    Framework::GdiplusSession outer;
    ASSERT_TRUE(outer.Started());
    {
        Framework::GdiplusSession inner;
        EXPECT_TRUE(inner.Started());
    }
    Framework::UniqueGdipBitmap bitmap;
    ASSERT_EQ(Framework::Gdip::GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, bitmap.Put()),
              Gdiplus::Ok) << "the library stays up after the inner session ends";
}

}  // namespace
