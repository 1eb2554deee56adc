// Skin images from the test program's resources, drawn and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include "PixelCanvas.h"
#include "controls/SmartBitmap.h"

namespace {

constexpr int kBackground = 1229;   // 800 x 547
constexpr int kButtonNormal = 155;  // 110 x 38
constexpr int kGlow = 1222;         // 170 x 179, partly transparent
constexpr int kAbsent = 1265;

TEST(SmartBitmap, LoadsResourcesAtTheirPixelSize) {
    SmartBitmap image;
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.Width(), 0u);
    ASSERT_TRUE(image.LoadFromResource(kBackground));
    EXPECT_EQ(image.Width(), 800u);
    EXPECT_EQ(image.Height(), 547u);
}

TEST(SmartBitmap, APictureKeptInAStripIsCutOutAtItsOwnSizeWithNothingOfItsNeighbours) {
    constexpr int kFrenchCaption = 153;  // the French caption, second in its strip
    const PictureCell* cell = FindPictureCell(kFrenchCaption);
    ASSERT_NE(cell, nullptr);
    ASSERT_GT(cell->x, 0);
    SmartBitmap picture;
    SmartBitmap strip;
    ASSERT_TRUE(picture.LoadFromResource(kFrenchCaption));
    ASSERT_TRUE(strip.LoadFromResource(cell->strip));
    ASSERT_EQ(picture.Width(), static_cast<unsigned>(cell->width));
    ASSERT_EQ(picture.Height(), static_cast<unsigned>(cell->height));
    EXPECT_TRUE(HasPictureResource(kFrenchCaption));

    // One pixel wider and higher: the cut must leave the canvas's own colour there.
    PixelCanvas alone(cell->width + 1, cell->height + 1, RGB(9, 9, 9));
    PixelCanvas inStrip(cell->width + 1, cell->height + 1, RGB(9, 9, 9));
    picture.Draw(alone.Graphics().Get(), 0, 0);
    strip.Draw(inStrip.Graphics().Get(), -cell->x, -cell->y);
    int different = 0;
    for (int y = 0; y < cell->height; ++y)
        for (int x = 0; x < cell->width; ++x) different += alone.At(x, y) != inStrip.At(x, y);
    EXPECT_EQ(different, 0);
    for (int y = 0; y <= cell->height; ++y) EXPECT_EQ(alone.At(cell->width, y), RGB(9, 9, 9));
}

TEST(SmartBitmap, AbsentResourceLeavesTheImageAsItWas) {
    SmartBitmap empty;
    EXPECT_FALSE(empty.LoadFromResource(kAbsent));
    EXPECT_FALSE(empty.IsLoaded());
    PixelCanvas canvas(10, 10, RGB(1, 2, 3));
    empty.Draw(canvas.Graphics().Get(), 0, 0);  // nothing to draw
    EXPECT_EQ(canvas.Count(RGB(1, 2, 3)), 100);

    SmartBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromResource(kButtonNormal));
    EXPECT_FALSE(loaded.LoadFromResource(kAbsent));
    EXPECT_EQ(loaded.Width(), 110u);
}

TEST(SmartBitmap, BytesThatAreNoPngEmptyTheImage) {
    SmartBitmap image;
    ASSERT_TRUE(image.LoadFromResource(kButtonNormal));
    const char garbage[] = "not a picture at all";
    EXPECT_FALSE(image.LoadFromMemory(garbage, sizeof(garbage)));
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_FALSE(image.LoadFromMemory(nullptr, 0));
}

TEST(SmartBitmap, AnImageHandedOutOutlivesReloadsAndItsObject) {
    std::shared_ptr<Gdiplus::GpBitmap> kept;
    {
        SmartBitmap image;
        ASSERT_TRUE(image.LoadFromResource(kButtonNormal));
        kept = image.GetImage();
        ASSERT_TRUE(image.LoadFromResource(kBackground));
        EXPECT_NE(image.GetImage(), kept);
    }
    UINT width = 0;
    ASSERT_EQ(Framework::Gdip::GdipGetImageWidth(kept.get(), &width), Gdiplus::Ok);
    EXPECT_EQ(width, 110u);
    PixelCanvas canvas(110, 38);
    Framework::GdiplusSession session;
    EXPECT_EQ(Framework::Gdip::GdipDrawImageRectI(canvas.Graphics().Get(), kept.get(), 0, 0, 110, 38), Gdiplus::Ok);
}

TEST(SmartBitmap, TransparencyZeroDrawsAsDrawAndHundredDrawsNothing) {
    SmartBitmap image;
    ASSERT_TRUE(image.LoadFromResource(kButtonNormal));
    PixelCanvas plain(110, 38, RGB(20, 40, 60)), faded0(110, 38, RGB(20, 40, 60)), faded100(110, 38, RGB(20, 40, 60));
    image.Draw(plain.Graphics().Get(), 0, 0);
    image.DrawWithTransparency(faded0.Graphics().Get(), 0, 0, 0);
    image.DrawWithTransparency(faded100.Graphics().Get(), 0, 0, 100);
    EXPECT_TRUE(plain.SameAs(faded0));
    EXPECT_EQ(faded100.Count(RGB(20, 40, 60)), 110 * 38);
    EXPECT_LT(plain.Count(RGB(20, 40, 60)), 110 * 38) << "the image itself is visible";
}

TEST(SmartBitmap, ScaledDrawingFillsTheDestination) {
    SmartBitmap image;
    ASSERT_TRUE(image.LoadFromResource(kButtonNormal));
    PixelCanvas canvas(60, 60, RGB(1, 2, 3));
    image.DrawScaled(canvas.Graphics().Get(), 10, 10, 20, 40);
    EXPECT_EQ(canvas.At(5, 5), RGB(1, 2, 3));
    EXPECT_NE(canvas.At(20, 30), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(40, 30), RGB(1, 2, 3));
}

TEST(SmartBitmap, ScreenBlendingOnlyLightens) {
    SmartBitmap glow;
    ASSERT_TRUE(glow.LoadFromResource(kGlow));
    // Over white the blend stays white everywhere; over black it looks as the
    // plain image does.
    HDC screen = GetDC(nullptr);
    for (COLORREF under : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
        Framework::UniqueMemoryDC dc(CreateCompatibleDC(screen));
        Framework::UniqueBitmap canvas(CreateCompatibleBitmap(screen, 200, 200));
        Framework::SelectionScope selected(dc.Get(), canvas.Get());
        Framework::UniqueBrush brush(CreateSolidBrush(under));
        RECT all{0, 0, 200, 200};
        FillRect(dc.Get(), &all, brush.Get());
        {
            Framework::UniqueGraphics graphics = Framework::GraphicsFor(dc.Get());
            glow.DrawScreenBlended(graphics.Get(), 10.7f, 10.2f, canvas.Get());
        }
        PixelCanvas plain(200, 200, under);
        glow.Draw(plain.Graphics().Get(), 10, 10);
        int different = 0;
        for (int y = 0; y < 200; y += 3)
            for (int x = 0; x < 200; x += 3) {
                const COLORREF got = GetPixel(dc.Get(), x, y);
                if (under == RGB(255, 255, 255))
                    EXPECT_EQ(got, under) << x << "," << y;
                else
                    different += got != plain.At(x, y);
            }
        EXPECT_EQ(different, 0);
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace
